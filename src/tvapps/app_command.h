// One entry of an application's button map, as data: what is sent, in which shape.
#pragma once

#include "remote/remote_button.h"

#include <windows.h>

#include <cstddef>

enum class CommandShape : unsigned char {
    NOTHING,
    POST_KEY,     // WM_KEYDOWN (code = virtual key, param = lParam); no key-up follows
    POST_CHAR,    // WM_CHAR (code = character, param = lParam)
    CHORD,        // typed into the application brought to the front (code = key, param = modifiers)
    POST_MESSAGE, // a private message (param = message number, code = wParam, lParam 0)
    POST_SHIFTED, // a Shift key-down, then the key-down of code with lParam param
    OWN,          // an adapter's own command (code = its id)
};

struct AppCommand {
    CommandShape shape;
    UINT code;
    LPARAM param;
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
constexpr AppCommand own(UINT id) {
    return {CommandShape::OWN, id, 0};
}

// One row of a button map: the command outside Japan mode and in it.
struct ButtonRow {
    RemoteButton button;
    AppCommand normal;
    AppCommand japan;
};

// The button's command in the map; NOTHING for a button that the map does not name.
AppCommand commandFor(const ButtonRow* map, std::size_t rows, RemoteButton button, bool japan);

template <std::size_t N>
AppCommand commandFor(const ButtonRow (&map)[N], RemoteButton button, bool japan) {
    return commandFor(map, N, button, japan);
}
