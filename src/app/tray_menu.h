// The items of the notification icon's popup menu, worked out afresh on every click.
#pragma once

#include <windows.h>

struct TrayMenuItem {
    UINT flags; // MF_STRING (with MF_CHECKED) or MF_SEPARATOR
    UINT_PTR command;
    const char* text; // null for a separator
};

constexpr int TRAY_MENU_CAPACITY = 5;

struct TrayMenuItems {
    TrayMenuItem items[TRAY_MENU_CAPACITY];
    int count;
};

// "LumenTVR" (checked while its window exists) when it is installed, then a separator, "About",
// a separator and "Exit". There is no Setting item: Alt+"?" reaches that dialog.
TrayMenuItems trayMenuItems();
// 1 when a top-level window of LumenTVR's class exists, whatever its title.
int isLumenTvrRunning();
