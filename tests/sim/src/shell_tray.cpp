// The shell's notification area: the icons it holds, and lstrcpynA for the tip.
#include "state.h"

#include <shellapi.h>

#include <cstring>
#include <set>

using sim::detail::desktop;

namespace {

std::set<std::pair<HWND, UINT>> icons;
bool nextFails = false;

const char* verb(DWORD message) {
    switch (message) {
    case NIM_ADD:
        return "NIM_ADD";
    case NIM_MODIFY:
        return "NIM_MODIFY";
    case NIM_DELETE:
        return "NIM_DELETE";
    default:
        return "NIM_?";
    }
}

} // namespace

namespace sim {

int trayIconCount() {
    return static_cast<int>(icons.size());
}
void restartShell() {
    icons.clear();
}
void setNextNotifyIconFails() {
    nextFails = true;
}
void resetShellTray() {
    icons.clear();
    nextFails = false;
}

} // namespace sim

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || iMaxLength <= 0)
        return lpString1;
    const size_t length = std::strlen(lpString2 ? lpString2 : "");
    const size_t n = std::min(length, static_cast<size_t>(iMaxLength - 1));
    std::memcpy(lpString1, lpString2, n);
    lpString1[n] = 0;
    return lpString1;
}

BOOL WINAPI Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA data) {
    // Only the fields the record's size covers are the caller's; the tip is read within them.
    char tip[65] = {};
    std::memcpy(tip, data->szTip, 64);
    sim::record(std::string("Shell_NotifyIcon ") + verb(dwMessage) +
                " size=" + std::to_string(data->cbSize) + " window=" + sim::describe(data->hWnd) +
                " id=" + std::to_string(data->uID) + " flags=" + sim::hex(data->uFlags) +
                " callback=" + sim::hex(data->uCallbackMessage) +
                " icon=" + (data->hIcon ? "set" : "null") + " tip=" + sim::quoted(tip));
    if (nextFails) {
        nextFails = false;
        return FALSE;
    }
    const auto key = std::make_pair(data->hWnd, data->uID);
    switch (dwMessage) {
    case NIM_ADD:
        return icons.insert(key).second;
    case NIM_MODIFY:
        return icons.count(key) != 0;
    case NIM_DELETE:
        return icons.erase(key) != 0;
    default:
        return FALSE;
    }
}
