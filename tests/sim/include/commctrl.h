// Stand-in for <commctrl.h> in the host build: the list view of the remote monitor. The simulated
// desktop answers its messages as any control's it does not model: with 0.
#pragma once

#include <windows.h>

#define LVM_FIRST 0x1000
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVS_EX_FULLROWSELECT 0x00000020
#define ICC_LISTVIEW_CLASSES 0x00000001

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX;
#define LVN_FIRST (0U - 100U)
#define LVN_KEYDOWN (LVN_FIRST - 55)

typedef struct tagLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
} NMLVKEYDOWN;
