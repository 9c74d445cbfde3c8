// The notification area as Wine's shell keeps it. Without a system tray on the X display (Xvfb
// has none) Wine shows its own "Wine System Tray" window, with one child window per icon; a
// mouse message sent to an icon's window reaches the icon's owner as its callback message, the
// way a click on the icon does.
#pragma once

#include <windows.h>

#include <vector>

// The shell's own record: NIM_MODIFY that changes nothing succeeds only for an icon it holds.
bool shellHoldsIcon(HWND owner, UINT id);
// The icon windows of Wine's stand-alone tray, in child order.
std::vector<HWND> trayIconWindows();
// Clicks the one icon in the tray (left or right button), as the user would; false when the
// tray does not hold exactly one icon.
bool clickOnlyTrayIcon(UINT buttonDown);
