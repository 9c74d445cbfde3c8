// The logical buttons of the remote control, as the rest of the program numbers them.
#pragma once

#include <cstdint>

using RemoteButton = std::int32_t;

// Buttons with a role fixed outside the applications' own button maps.
constexpr RemoteButton BUTTON_POWER = 18;
// With no target, switches to the default application like Power, without asking about it.
constexpr RemoteButton BUTTON_DEFAULT_APP = 20;
// With no TV application running, opens the Shut Down prompt.
constexpr RemoteButton BUTTON_SHUT_DOWN = 21;
// Produced only from raw codes 4 and 12 outside Japan mode.
constexpr RemoteButton BUTTON_256 = 256;
constexpr RemoteButton BUTTON_512 = 512;
// A raw code that has no button (32 to 63 outside Japan mode).
constexpr RemoteButton BUTTON_NONE = 65536;
// A held button's repeat that is not delivered to the target application.
constexpr RemoteButton BUTTON_SUPPRESSED = -1;

inline bool isDigitButton(RemoteButton button) {
    return button >= 0 && button <= 9;
}
