// The keys: one table of names, which the explanation of a new profiles file and the README
// list in its order; and a chord that the system takes only in part.
#include "keys/key_chord.h"
#include "profiles/profile_editor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(KeyNames, everyNameOfTheTableIsInTheExplanationAndTheReadmeInItsOrder) {
    std::ifstream file(QN520_SOURCE_DIR "/README.md");
    const std::string readme{std::istreambuf_iterator<char>(file), {}};
    const std::string explanation = PROFILES_EXPLANATION;
    std::size_t inReadme = readme.find("Keys: `A`–`Z`, `0`–`9`, `F1`–`F24`");
    std::size_t inExplanation = explanation.find("Keys: A-Z, 0-9, F1-F24");
    for (const auto keys : {namedKeys(), modifierKeys()})
        for (const NamedKey& key : keys) {
            const std::string name = key.name;
            inReadme = readme.find("`" + name + "`", inReadme);
            const std::size_t comma = explanation.find(" " + name + ",", inExplanation);
            inExplanation = comma != std::string::npos
                                ? comma
                                : explanation.find(" " + name + ".", inExplanation);
            EXPECT_NE(inReadme, std::string::npos) << name << " in the README";
            EXPECT_NE(inExplanation, std::string::npos) << name << " in the explanation";
        }
}

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
