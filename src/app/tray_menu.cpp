#include "app/tray_menu.h"

#include "app/resource_ids.h"
#include "app/tv_app_links.h"
#include "settings/settings_store.h"

namespace {

constexpr const char* LUMENTVR_CLASS = "LUMEN_TVR";

void append(TrayMenuItems& menu, UINT flags, UINT_PTR command, const char* text) {
    if (menu.count < TRAY_MENU_CAPACITY)
        menu.items[menu.count++] = {flags, command, text};
}

} // namespace

int isLumenTvrRunning() {
    return FindWindowExA(GetDesktopWindow(), nullptr, LUMENTVR_CLASS, nullptr) != nullptr;
}

TrayMenuItems trayMenuItems() {
    TrayMenuItems menu{};
    if (tvAppInstalled(DEFAULT_LUMENTVR))
        append(menu, MF_STRING | (isLumenTvrRunning() ? MF_CHECKED : MF_UNCHECKED), IDM_LUMENTVR,
               "LumenTVR");
    append(menu, MF_SEPARATOR, 0, nullptr);
    append(menu, MF_STRING, IDM_ABOUT, "About");
    append(menu, MF_SEPARATOR, 0, nullptr);
    append(menu, MF_STRING, IDM_EXIT, "Exit");
    return menu;
}
