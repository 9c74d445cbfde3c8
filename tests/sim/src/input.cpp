// Synthesised keyboard and mouse input, the pointer, and the screen's system metrics.
#include "state.h"

using sim::detail::desktop;

namespace sim {

void setFullScreenSize(int width, int height) {
    desktop().screenWidth = width;
    desktop().screenHeight = height;
}
void setSwapButtons(bool swapped) {
    desktop().swapButtons = swapped;
}
void setCursor(int x, int y) {
    desktop().cursorPos = {x, y};
}
POINT cursor() {
    return desktop().cursorPos;
}
void setMessageExtraInfo(LPARAM value) {
    desktop().extraInfo = value;
}

} // namespace sim

void WINAPI keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo) {
    sim::record("keybd_event vk=" + sim::hex(bVk) + " scan=" + sim::hex(bScan) +
                " flags=" + sim::hex(dwFlags) + " extra=" + sim::hex(dwExtraInfo));
}

// One line for the whole call, each event as [vk scan flags].
UINT WINAPI SendInput(UINT cInputs, INPUT* pInputs, int cbSize) {
    std::string line =
        "SendInput count=" + std::to_string(cInputs) + " size=" + std::to_string(cbSize);
    for (UINT i = 0; i < cInputs; ++i) {
        const KEYBDINPUT& key = pInputs[i].ki;
        line += " [" + sim::hex(key.wVk) + " " + sim::hex(key.wScan) + " " + sim::hex(key.dwFlags) +
                (pInputs[i].type == INPUT_KEYBOARD ? "" : " not a key") + "]";
    }
    sim::record(line);
    return cInputs;
}

void WINAPI mouse_event(DWORD dwFlags, DWORD dx, DWORD dy, DWORD dwData, ULONG_PTR dwExtraInfo) {
    sim::record("mouse_event flags=" + sim::hex(dwFlags) + " dx=" + std::to_string(dx) +
                " dy=" + std::to_string(dy) + " data=" + std::to_string(dwData) +
                " extra=" + sim::hex(dwExtraInfo));
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    sim::record("SetCursorPos " + std::to_string(X) + "," + std::to_string(Y));
    desktop().cursorPos = {X, Y};
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint)
        return FALSE;
    *lpPoint = desktop().cursorPos;
    return TRUE;
}

LPARAM WINAPI GetMessageExtraInfo(void) {
    return desktop().extraInfo;
}

int WINAPI GetSystemMetrics(int nIndex) {
    const auto& d = desktop();
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return d.screenWidth;
    case SM_CYSCREEN:
        return d.screenHeight;
    case SM_CYFULLSCREEN:
        return d.screenHeight;
    case SM_SWAPBUTTON:
        return d.swapButtons ? 1 : 0;
    default:
        return 0;
    }
}

// No key of the keyboard is held in the simulated desktop.
SHORT WINAPI GetKeyState(int) {
    return 0;
}
