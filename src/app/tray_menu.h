// The items of the notification icon's popup menu, worked out afresh on every click.
#pragma once

#include "tvapps/tv_apps.h"

#include <windows.h>

struct TrayMenuItem {
    UINT flags; // MF_STRING (with MF_CHECKED) or MF_SEPARATOR
    UINT_PTR command;
    const char* text; // null for a separator
};

constexpr int TRAY_MENU_CAPACITY = APP_COUNT + 7;

struct TrayMenuItems {
    TrayMenuItem items[TRAY_MENU_CAPACITY];
    int count;
};

// The installed applications of the tray menu ("LumenTVR", checked while its window exists), then
// a separator, "Remote monitor", "Edit remote profiles...", "Teach the remote..." (greyed while
// the profiles have no place), "About", a separator and "Exit". There is no Setting item: Alt+"?"
// reaches that dialog.
TrayMenuItems trayMenuItems(const TvApps& apps, bool profilesHavePlace);
