// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDD_SETTING 20
#define IDD_ABOUT 21
#define IDS_TITLE 22
#define IDS_CLASS 23
#define IDR_ACCEL 23
#define IDI_MAIN 50
#define IDD_SHUTDOWN 107
#define IDI_SHUTDOWN 110
#define IDC_APP_LIST 11
