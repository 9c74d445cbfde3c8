#include "keys/key_chord.h"

#include "win32/later_calls.h"

#include <string>
#include <utility>

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

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

bool chordByName(std::string_view text, KeyChord& chord, std::string& problem) {
    chord = KeyChord{};
    while (true) {
        const std::size_t plus = text.find('+');
        const std::string name(trim(text.substr(0, plus)));
        KeyInfo key{};
        if (plus == std::string_view::npos) {
            if (!keyByName(name.c_str(), &key)) {
                problem = "unknown key name \"" + name + "\"";
                return false;
            }
            chord.keys[chord.count++] = key;
            return true;
        }
        if (!modifierByName(name.c_str(), &key)) {
            problem = "unknown modifier \"" + name + "\"";
            return false;
        }
        for (int i = 0; i < chord.count; ++i)
            if (chord.keys[i].vk == key.vk) {
                problem = "modifier \"" + name + "\" given twice";
                return false;
            }
        if (chord.count == 4) {
            problem = "more than four modifiers";
            return false;
        }
        chord.keys[chord.count++] = key;
        text = text.substr(plus + 1);
    }
}

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

int releasesAfter(const INPUT* inputs, int sent, INPUT (&releases)[MAX_CHORD_INPUTS]) {
    int held = 0;
    for (int i = 0; i < sent && i < MAX_CHORD_INPUTS; ++i) {
        const bool up = (inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) != 0;
        int found = 0;
        while (found < held && releases[found].ki.wVk != inputs[i].ki.wVk)
            ++found;
        if (!up && found == held) {
            releases[held] = inputs[i];
            releases[held++].ki.dwFlags |= KEYEVENTF_KEYUP;
        } else if (up && found < held) {
            for (int j = found; j + 1 < held; ++j)
                releases[j] = releases[j + 1];
            --held;
        }
    }
    for (int i = 0, j = held - 1; i < j; ++i, --j)
        std::swap(releases[i], releases[j]);
    return held;
}

void typeKeyChord(const KeyChord& chord) {
    INPUT inputs[MAX_CHORD_INPUTS];
    const int count = chordInputs(chord, inputs);
    const UINT sent = send(inputs, count);
    if (sent >= static_cast<UINT>(count))
        return;
    INPUT releases[MAX_CHORD_INPUTS];
    const int held = releasesAfter(inputs, static_cast<int>(sent), releases);
    for (int i = 0; i < held; ++i)
        send(&releases[i], 1);
}
