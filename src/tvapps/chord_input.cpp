#include "tvapps/chord_input.h"

#include "win32/later_calls.h"

namespace {

INPUT keyEvent(const KeyInfo& key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.vk;
    input.ki.wScan = key.scanCode;
    input.ki.dwFlags = (key.extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

UINT send(INPUT* inputs, int count) {
    if (const auto sendInput = laterCalls().sendInput)
        return sendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
    for (int i = 0; i < count; ++i)
        keybd_event(static_cast<BYTE>(inputs[i].ki.wVk), static_cast<BYTE>(inputs[i].ki.wScan),
                    inputs[i].ki.dwFlags, 0);
    return static_cast<UINT>(count);
}

} // namespace

int chordInputs(const KeyChord& chord, INPUT (&inputs)[MAX_CHORD_INPUTS]) {
    if (chord.count < 1 || chord.count > 5)
        return 0;
    const int modifiers = chord.count - 1;
    int n = 0;
    for (int i = 0; i < modifiers; ++i)
        inputs[n++] = keyEvent(chord.keys[i], false);
    inputs[n++] = keyEvent(chord.keys[modifiers], false);
    inputs[n++] = keyEvent(chord.keys[modifiers], true);
    for (int i = modifiers - 1; i >= 0; --i)
        inputs[n++] = keyEvent(chord.keys[i], true);
    return n;
}

void typeChord(const KeyChord& chord) {
    INPUT inputs[MAX_CHORD_INPUTS];
    const int count = chordInputs(chord, inputs);
    const UINT sent = send(inputs, count);
    if (sent > 0 && sent < static_cast<UINT>(count))
        send(inputs + sent, count - static_cast<int>(sent));
}
