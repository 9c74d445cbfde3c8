#include "remote/key_decoder.h"

namespace {

// Raw code (index) to button, for raw codes 0 to 31.
constexpr RemoteButton RAW_CODE_BUTTONS[32] = {
    13, 1,  0,  20, BUTTON_256, 4,  7,  15, // 0-7
    14, 5,  8,  2,  BUTTON_512, 19, 25, 24, // 8-15
    10, 22, 9,  23, 31,         6,  27, 30, // 16-23
    16, 17, 29, 3,  12,         21, 18, 26, // 24-31
};

// Buttons that switch applications or open the Shut Down prompt act once per press: a real remote
// keeps its code in the register for two or three polls even on a short press, and a repeat would
// undo what the press did (restart the application it just closed, cancel the prompt it opened).
// A target that takes one of them as a command of its own gets its repeats like any command's.
bool actsOncePerPress(RemoteButton button, const RepeatTarget& target) {
    const bool switches =
        button == BUTTON_POWER || button == BUTTON_DEFAULT_APP || button == BUTTON_SHUT_DOWN;
    return switches && !target.targetTakes(button);
}

} // namespace

RemoteButton translateRawCode(DWORD rawCode) {
    return rawCode < 32 ? RAW_CODE_BUTTONS[rawCode] : BUTTON_NONE;
}

KeyPress KeyDecoder::decode(const RegisterReading& reading, DWORD now, const RepeatTarget& target,
                            bool japanMode) {
    const bool firstSinceActing = acting != 0 && acting == readings;
    ++readings;
    if (!reading.readOk || (reading.value & NO_KEY_BIT))
        return {false, 0, false, false, pressStarted};
    if (firstSinceActing)
        lastKeyTick = now;

    const DWORD raw = reading.value & RAW_CODE_MASK;
    const RemoteButton button = japanMode ? static_cast<RemoteButton>(raw) : translateRawCode(raw);

    // Unsigned difference: a wrap of the tick count does no harm.
    if (button == lastButton && now - lastKeyTick < REPEAT_WINDOW_MS) {
        repeating = true;
        ++repeatCount;
    } else {
        repeating = false;
        repeatCount = 0;
        pressStarted = now;
    }
    lastKeyTick = now;
    lastButton = button;

    if (repeating && actsOncePerPress(button, target))
        return {false, button, false, true, pressStarted};
    const bool heldBack =
        repeating && repeatCount != 0 && repeatCount % REPEAT_DIVISOR != 0 && target.targetActive();
    return {true, heldBack ? BUTTON_SUPPRESSED : button, !repeating, repeating, pressStarted};
}

KeyAction KeyDecoder::startActing() {
    const KeyAction action{readings, acting};
    acting = readings;
    return action;
}

void KeyDecoder::actedOn(const KeyAction& action, DWORD now) {
    if (action.reading == readings)
        lastKeyTick = now;
    acting = action.outer;
}

void KeyDecoder::forgetKey() {
    // No reading decodes to BUTTON_SUPPRESSED, so nothing can be its repeat.
    lastButton = BUTTON_SUPPRESSED;
    repeating = false;
    repeatCount = 0;
}
