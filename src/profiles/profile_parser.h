// The profiles file's text, read: one profile per section, naming the window of an application and
// the key each remote button types into it. Parsing is pure: text in, profiles and problems out.
#pragma once

#include "keys/key_chord.h"
#include "remote/remote_button.h"

#include <string>
#include <string_view>
#include <vector>

// A file larger than this is not used at all.
constexpr std::size_t MAX_PROFILE_FILE_BYTES = 256 * 1024;
// A line of more characters is skipped.
constexpr std::size_t MAX_PROFILE_LINE = 1024;

struct ProfileButton {
    RemoteButton button;
    KeyChord chord;
    int line = 0; // the line that gives it
};

struct Profile {
    std::string name;
    int line = 0;        // its section header's
    int lastSetting = 0; // its last "key = value" line (its header's when it has none)
    // How it recognises its window; empty: not asked. All that are given must hold. Text is
    // UTF-8, compared in any letter case.
    std::string exe;       // the owning program's file name
    std::string className; // the whole class name
    std::string title;     // text the title contains
    std::vector<ProfileButton> buttons;
};

struct ProfileProblem {
    int line; // 0: the whole file
    std::string text;
};

// A whole [section] header of the file, whether or not it makes a profile.
struct ProfileSection {
    std::string name;
    int line;
};

struct ProfileSet {
    std::vector<Profile> profiles;
    std::vector<ProfileProblem> problems; // in the order of the file
    std::vector<ProfileSection> sections; // every whole header, in the order of the file
};

// The profiles of UTF-8 text (a byte-order mark skipped), each problem skipped and noted with its
// line, in the order of the lines. Text holding a NUL byte is no text: nothing of it is used.
// Buttons 32 to 63 exist only in Japan mode, 256 and 512 only outside it.
ProfileSet parseProfiles(std::string_view text, bool japanMode);
// Whether a profile may give the button a key: 0 to 31, 256 and 512 (0 to 63 in Japan mode), but
// never 18 (Power), 20 or 21, which keep their meaning.
bool isProfileButton(RemoteButton button, bool japanMode);
