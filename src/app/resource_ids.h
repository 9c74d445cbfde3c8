// Resource and command identifiers shared by the resource script and the code. Plain #defines:
// the resource compiler reads this file too.
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
#define IDD_MONITOR 24
#define IDC_MONITOR_CARD 1001
#define IDC_MONITOR_LIST 1002
#define IDC_MONITOR_COUNTS 1003
#define IDC_MONITOR_COPY 1004
#define IDC_MONITOR_PROFILES 1005
#define IDC_MONITOR_TEACH 1006
#define IDD_TEACH 25
#define IDC_TEACH_PROGRAM 1011
#define IDC_TEACH_LINE 1012
#define IDC_TEACH_LIST 1013
#define IDC_TEACH_KEY 1014
#define IDC_TEACH_CTRL 1015
#define IDC_TEACH_ALT 1016
#define IDC_TEACH_SHIFT 1017
#define IDC_TEACH_WIN 1018
#define IDC_TEACH_SET_KEY 1019
#define IDC_TEACH_SKIP 1020

// Commands of the main window (low word of WM_COMMAND's wParam). TrackPopupMenu reports a dismissed
// menu as 0, so no command is 0.
#define IDM_ABOUT 30
#define IDM_CLOSE 31
#define IDM_SETTING 32
#define IDM_MONITOR 33
#define IDM_EDIT_PROFILES 34
#define IDM_TEACH 35
#define IDM_EXIT 1201
// Those that switch to a TV application (app_commands.cpp says what each does).
#define IDM_WINDVD 1101
#define IDM_WINDVR 1102
#define IDM_WINRIP 1103
#define IDM_POWERVCR 1104
#define IDM_HONESTECH 1105
#define IDM_LUMENTVR 1106
