// One command to a TV application, as data: what is sent, in which shape; and the shapes carried
// out on the window that the application's own search found.
#pragma once

#include "remote/remote_button.h"

#include <windows.h>

#include <span>

enum class CommandShape : unsigned char {
    NOTHING,
    POST_KEY,     // WM_KEYDOWN (code = virtual key, param = lParam); no key-up follows
    POST_CHAR,    // WM_CHAR (code = character, param = lParam)
    CHORD,        // typed into the application brought to the front (code = key, param = modifiers)
    POST_MESSAGE, // a private message (param = message number, code = wParam, lParam 0)
    POST_SHIFTED, // a Shift key-down, then the key-down of code with lParam param
    OWN,          // an application's own command (code = its id, name = what it does)
};

struct AppCommand {
    CommandShape shape;
    UINT code;
    LPARAM param;
    const char* name = nullptr;
};

// Modifiers of a chord; with both, Alt goes down first and comes up last.
constexpr UINT CHORD_CTRL = 1;
constexpr UINT CHORD_ALT = 2;
constexpr UINT CHORD_CTRL_ALT = CHORD_CTRL | CHORD_ALT;

// lParam of a posted key-down: repeat count 1, the set-1 scan code, the extended-key bit.
constexpr LPARAM keyLParam(BYTE scanCode, bool extended = false) {
    return static_cast<LPARAM>(1u | static_cast<DWORD>(scanCode) << 16 |
                               (extended ? 1u << 24 : 0u));
}

constexpr AppCommand NOTHING{CommandShape::NOTHING, 0, 0};
constexpr AppCommand postKey(UINT vk, LPARAM lParam = 0) {
    return {CommandShape::POST_KEY, vk, lParam};
}
constexpr AppCommand postCharacter(UINT ch, LPARAM lParam) {
    return {CommandShape::POST_CHAR, ch, lParam};
}
constexpr AppCommand chord(UINT modifiers, UINT vk) {
    return {CommandShape::CHORD, vk, static_cast<LPARAM>(modifiers)};
}
constexpr AppCommand postPrivate(UINT message, WPARAM wParam) {
    return {CommandShape::POST_MESSAGE, static_cast<UINT>(wParam), static_cast<LPARAM>(message)};
}
constexpr AppCommand postShifted(UINT vk, LPARAM lParam) {
    return {CommandShape::POST_SHIFTED, vk, lParam};
}
constexpr AppCommand own(UINT id, const char* what) {
    return {CommandShape::OWN, id, 0, what};
}

// lParam of the main keyboard's digit keys 0 to 9: repeat count 1 and the key's scan code.
inline constexpr LPARAM DIGIT_KEY_LPARAMS[10] = {
    0x000B0001, 0x00020001, 0x00030001, 0x00040001, 0x00050001,
    0x00060001, 0x00070001, 0x00080001, 0x00090001, 0x000A0001,
};

// The digit command shared by the button maps: the digit's key, posted with its own lParam.
constexpr AppCommand postDigit(int d) {
    return postKey('0' + d, DIGIT_KEY_LPARAMS[d]);
}

// One row of a button map: the command outside Japan mode and in it.
struct ButtonRow {
    RemoteButton button;
    AppCommand normal;
    AppCommand japan;
};
using ButtonMap = std::span<const ButtonRow>;

// The button's command in the map; NOTHING for a button that the map does not name.
AppCommand commandFor(ButtonMap map, RemoteButton button, bool japan);

// Carries out any shape but NOTHING and OWN on the window; nothing when it is null. Posted
// messages do not wait for the application; a chord brings the window to the front and types the
// keys, each event with the extended-key flag.
void carryOut(HWND target, const AppCommand& command);

// Minimises the window, or restores it when it is minimised.
void toggleMinimised(HWND window);
