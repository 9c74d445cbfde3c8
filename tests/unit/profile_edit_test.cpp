// Save's edit of the profiles file: the text before and after, and the taught profile being the
// one the window gets when the result is read back.
#include "profiles/profile_edit.h"
#include "profiles/profile_match.h"
#include "win32/wide_calls.h" // the host tests' ANSI code page is Latin-1

#include <gtest/gtest.h>

namespace {

bool asUtf8(std::string_view text, std::string& encoded) {
    encoded = text;
    return true;
}
const WindowDescription VLC{"vlc.exe", "Qt5QWindowIcon", "clip.avi - VLC media player"};

// The keys of the first profile that the window gets from the text, as "14=Space 26=S".
std::string keysOfWindow(const std::string& text) {
    const ProfileSet set = parseProfiles(text, false);
    for (const Profile& profile : set.profiles)
        if (matches(profile, VLC)) {
            std::string keys;
            for (const ProfileButton& b : profile.buttons) {
                char name[16];
                keyName(b.chord.keys[b.chord.count - 1].vk, name);
                keys += (keys.empty() ? "" : " ") + std::to_string(b.button) + "=" + name;
            }
            return keys;
        }
    return "(no profile)";
}

TEST(ProfileEdit, theTaughtProfileIsTheOneTheWindowGetsAndTheRestStaysByteForByte) {
    const TaughtProfile vlc{"VLC media player", "vlc.exe", {{14, "Space"}, {26, "S"}}};
    const std::string block = "\r\n[VLC media player]\r\nExe = vlc.exe\r\nButton14 = Space\r\n"
                              "Button26 = S\r\n";
    const struct {
        const char* what;
        std::string before;
        TaughtProfile taught;
        LineEncoder encode;
        std::string after;
        const char* keys;
    } rows[] = {
        {"an empty file", "", vlc, asUtf8, block, "14=Space 26=S"},
        {"at the end, LF kept, the last line ended", "[Other]\nExe = other.exe\nButton1 = A", vlc,
         asUtf8,
         "[Other]\nExe = other.exe\nButton1 = A\n\n[VLC media player]\nExe = vlc.exe\n"
         "Button14 = Space\nButton26 = S\n",
         "14=Space 26=S"},
        {"in place, where Exe alone in any case recognises it; the mark kept",
         "\xEF\xBB\xBF; mine\r\n[vlc]\r\nEXE = VLC.EXE\r\nButton14=P\r\nButton3 = M\r\n; tail\r\n",
         vlc, asUtf8,
         "\xEF\xBB\xBF; mine\r\n[vlc]\r\nEXE = VLC.EXE\r\nButton14 = Space\r\nButton3 = M\r\n"
         "Button26 = S\r\n; tail\r\n",
         "14=Space 3=M 26=S"},
        {"before an earlier match by Title", "[Movies]\r\nTitle = clip\r\nButton14 = K\r\n", vlc,
         asUtf8, block + "[Movies]\r\nTitle = clip\r\nButton14 = K\r\n", "14=Space 26=S"},
        {"a section's name taken in another case", "[vlc media player]\r\nClass = Other\r\n", vlc,
         asUtf8,
         "[vlc media player]\r\nClass = Other\r\n\r\n[VLC media player 2]\r\nExe = vlc.exe\r\n"
         "Button14 = Space\r\nButton26 = S\r\n",
         "14=Space 26=S"},
        {"problems kept, the taught line after them",
         "[Bad\r\nButton1 = X\r\n[VLC]\r\nExe = vlc.exe\r\nButton14 = Spcae\r\n", vlc, asUtf8,
         "[Bad\r\nButton1 = X\r\n[VLC]\r\nExe = vlc.exe\r\nButton14 = Spcae\r\nButton14 = Space\r\n"
         "Button26 = S\r\n",
         "14=Space 26=S"},
        {"an ANSI file",
         "; caf\xE9\r\n",
         {"Vidéo", "vlc.exe", {{14, "Space"}}},
         ansiFromUtf8,
         "; caf\xE9\r\n\r\n[Vid\xE9o]\r\nExe = vlc.exe\r\nButton14 = Space\r\n",
         "14=Space"},
        {"a name the ANSI code page cannot hold",
         "",
         {"Видео", "vlc.exe", {{14, "Space"}}},
         ansiFromUtf8,
         "",
         nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::string after;
        const bool written = addTaughtProfile(row.before, parseProfiles(row.before, false), VLC, {},
                                              row.taught, row.encode, after);
        EXPECT_EQ(written, row.keys != nullptr);
        EXPECT_EQ(after, row.after);
        if (row.keys && row.encode == asUtf8) {
            EXPECT_EQ(keysOfWindow(after), row.keys);
        }
    }
}

} // namespace
