#include "app/tray_menu.h"

#include "app/app_commands.h"
#include "app/resource_ids.h"

namespace {

void append(TrayMenuItems& menu, UINT flags, UINT_PTR command, const char* text) {
    if (menu.count < TRAY_MENU_CAPACITY)
        menu.items[menu.count++] = {flags, command, text};
}

} // namespace

TrayMenuItems trayMenuItems(const TvApps& apps, bool profilesHavePlace) {
    TrayMenuItems menu{};
    for (AppId app : TRAY_MENU) {
        if (!apps[app].isInstalled())
            continue;
        const bool running = apps[app].findRunningWindow() != nullptr;
        append(menu, MF_STRING | (running ? MF_CHECKED : MF_UNCHECKED), commandOf(app),
               describe(app).name);
    }
    append(menu, MF_SEPARATOR, 0, nullptr);
    append(menu, MF_STRING, IDM_MONITOR, "Remote monitor");
    append(menu, MF_STRING, IDM_EDIT_PROFILES, "Edit remote profiles...");
    append(menu, MF_STRING | (profilesHavePlace ? 0 : MF_GRAYED), IDM_TEACH, "Teach the remote...");
    append(menu, MF_STRING, IDM_ABOUT, "About");
    append(menu, MF_SEPARATOR, 0, nullptr);
    append(menu, MF_STRING, IDM_EXIT, "Exit");
    return menu;
}
