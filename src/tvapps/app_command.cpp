#include "tvapps/app_command.h"

namespace {

constexpr LPARAM SHIFT_LPARAM = keyLParam(0x2A);

void typeKey(UINT vk, DWORD flags) {
    keybd_event(static_cast<BYTE>(vk), 0, flags, 0);
}

// The applications' own chords, typed as they always were: brought to the front, then
// keybd_event with no scan code and the extended flag on every key, which their tests pin. (A
// profile's chord is typed as a keyboard types it: keys/key_chord.cpp.)
void typeAppChord(HWND target, UINT modifiers, UINT vk) {
    SetForegroundWindow(target);
    SetActiveWindow(target);
    constexpr DWORD DOWN = KEYEVENTF_EXTENDEDKEY;
    constexpr DWORD UP = KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP;
    if (modifiers & CHORD_ALT)
        typeKey(VK_MENU, DOWN);
    if (modifiers & CHORD_CTRL)
        typeKey(VK_CONTROL, DOWN);
    typeKey(vk, DOWN);
    typeKey(vk, UP);
    if (modifiers & CHORD_CTRL)
        typeKey(VK_CONTROL, UP);
    if (modifiers & CHORD_ALT)
        typeKey(VK_MENU, UP);
}

} // namespace

AppCommand commandFor(ButtonMap map, RemoteButton button, bool japan) {
    for (const ButtonRow& row : map)
        if (row.button == button)
            return japan ? row.japan : row.normal;
    return NOTHING;
}

void carryOut(HWND target, const AppCommand& command) {
    if (!target)
        return;
    switch (command.shape) {
    case CommandShape::POST_KEY:
        PostMessageA(target, WM_KEYDOWN, command.code, command.param);
        break;
    case CommandShape::POST_CHAR:
        PostMessageA(target, WM_CHAR, command.code, command.param);
        break;
    case CommandShape::CHORD:
        typeAppChord(target, static_cast<UINT>(command.param), command.code);
        break;
    case CommandShape::POST_MESSAGE:
        PostMessageA(target, static_cast<UINT>(command.param), command.code, 0);
        break;
    case CommandShape::POST_SHIFTED:
        // Both keys go to the one window found, with no pause and no Shift key-up.
        PostMessageA(target, WM_KEYDOWN, VK_SHIFT, SHIFT_LPARAM);
        PostMessageA(target, WM_KEYDOWN, command.code, command.param);
        break;
    case CommandShape::NOTHING:
    case CommandShape::OWN:
        break;
    }
}

void toggleMinimised(HWND window) {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_MINIMIZE);
}
