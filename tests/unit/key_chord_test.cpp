// A chord that the system takes only in part: every key that went down is let up again.
#include "keys/key_chord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KeyChord, aChordTakenInPartLetsUpEveryKeyThatWentDown) {
    KeyChord chord;
    ASSERT_TRUE(keyByName("N", &chord.keys[2]));
    modifierByName("Ctrl", &chord.keys[0]);
    modifierByName("Shift", &chord.keys[1]);
    chord.count = 3;
    INPUT inputs[MAX_CHORD_INPUTS];
    ASSERT_EQ(chordInputs(chord, inputs), 6); // Ctrl, Shift, N down; N, Shift, Ctrl up
    const char* expected[] = {"", "Ctrl", "Shift Ctrl", "N Shift Ctrl", "Shift Ctrl", "Ctrl", ""};
    for (int sent = 0; sent <= 6; ++sent) {
        INPUT releases[MAX_CHORD_INPUTS];
        const int count = releasesAfter(inputs, sent, releases);
        std::string names;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(releases[i].ki.dwFlags & KEYEVENTF_KEYUP);
            char name[16];
            keyName(releases[i].ki.wVk, name);
            names += std::string(i ? " " : "") + name;
        }
        EXPECT_EQ(names, expected[sent]) << sent << " taken";
    }
}

} // namespace
