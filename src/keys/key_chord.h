// A key chord as the user writes it ("Ctrl+Shift+N"), typed as keyboard input into whatever window
// has the keyboard focus: SendInput with each key's scan code, the extended flag only on the keys
// that are extended, as a keyboard types them. (The TV applications' chords are typed otherwise,
// as they always were: app_command.cpp.)
#pragma once

#include "keys/key_names.h"

#include <windows.h>

#include <string>
#include <string_view>

// What one button types: the modifiers as written, then the key.
struct KeyChord {
    KeyInfo keys[5] = {};
    int count = 0;
};

constexpr int MAX_CHORD_INPUTS = 10;

// The chord written as the user writes it ("Ctrl+Shift+N", any letter case, blanks around the
// names); false, with the problem in words, when it is no chord of the key table.
bool chordByName(std::string_view text, KeyChord& chord, std::string& problem);

// The chord's events: each modifier down in the order written, the key down and up, the
// modifiers up in reverse. Each carries its key's virtual key and scan code, and the extended flag
// only for an extended key. Returns how many.
int chordInputs(const KeyChord& chord, INPUT (&inputs)[MAX_CHORD_INPUTS]);
// The key-ups that let go of every key that went down among the first `sent` events and did not
// come up among them, the last one down first. Returns how many.
int releasesAfter(const INPUT* inputs, int sent, INPUT (&releases)[MAX_CHORD_INPUTS]);
// Types the chord in one SendInput call, so that no other input comes between its keys; where the
// system lacks SendInput, key by key. When the system takes only part of it (another program's
// input lock, a secure desktop), every key that went down is let up again, each in a call of its
// own: no key is left held down, whatever the system answered.
void typeKeyChord(const KeyChord& chord);
