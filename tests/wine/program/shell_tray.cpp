#include "program/shell_tray.h"

#include <shellapi.h>

namespace {

constexpr const char* TRAY_CLASS = "__winex11_standalone_tray";
constexpr const char* ICON_CLASS = "__winex11_tray_icon";

} // namespace

bool shellHoldsIcon(HWND owner, UINT id) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    record.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

std::vector<HWND> trayIconWindows() {
    std::vector<HWND> icons;
    for (HWND tray = FindWindowExA(nullptr, nullptr, TRAY_CLASS, nullptr); tray;
         tray = FindWindowExA(nullptr, tray, TRAY_CLASS, nullptr))
        for (HWND icon = FindWindowExA(tray, nullptr, ICON_CLASS, nullptr); icon;
             icon = FindWindowExA(tray, icon, ICON_CLASS, nullptr))
            icons.push_back(icon);
    return icons;
}

bool clickOnlyTrayIcon(UINT buttonDown) {
    const std::vector<HWND> icons = trayIconWindows();
    if (icons.size() != 1)
        return false;
    const bool right = buttonDown == WM_RBUTTONDOWN;
    const LPARAM at = MAKELPARAM(4, 4);
    return PostMessageA(icons[0], buttonDown, right ? MK_RBUTTON : MK_LBUTTON, at) &&
           PostMessageA(icons[0], right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}
