// The profiles file's text: the profiles it gives, and each problem with its line.
#include "profiles/profile_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string notForProfile(const std::string& line, const std::string& button) {
    return line + ": no button " + button +
           " for a profile (0 to 31, 256, 512; 18, 20 and 21 keep their meaning; 0 to 63 in Japan "
           "mode)";
}

// "name exe=… class=… title=… 14=Ctrl+0x26" per profile, then "line: problem" per problem.
Lines describe(const ProfileSet& set) {
    Lines lines;
    for (const Profile& p : set.profiles) {
        std::string line = p.name + " exe=" + p.exe + " class=" + p.className + " title=" + p.title;
        for (const ProfileButton& b : p.buttons) {
            line += " " + std::to_string(b.button) + "=";
            for (int i = 0; i < b.chord.count; ++i) {
                char key[16];
                keyName(b.chord.keys[i].vk, key);
                line += std::string(i ? "+" : "") + key + (b.chord.keys[i].extended ? "*" : "");
            }
        }
        lines.push_back(line);
    }
    for (const ProfileProblem& problem : set.problems)
        lines.push_back(std::to_string(problem.line) + ": " + problem.text);
    return lines;
}

const std::string BROKEN = "not a whole [section] line; it and the lines after it, up to the next "
                           "[section], are skipped";

TEST(ProfileParser, TextsGiveTheirProfilesAndEachProblemWithItsLine) {
    const struct {
        const char* what;
        std::string text;
        bool japan;
        Lines expected;
    } cases[] = {
        {"the format, loosely written",
         "\xEF\xBB\xBF; comment\r\n# comment\r\n\r\n[VLC]\r\n  exe =  vlc.exe "
         "\r\nbutton14=space\r\n"
         "BUTTON26 = ctrl+UP\r\nButton27 = Ctrl+Shift+n\r\nButton0 = Win+VolumeUp\r\n",
         false,
         {"VLC exe=vlc.exe class= title= 14=Space 26=Ctrl+Up* 27=Ctrl+Shift+N 0=Win*+VolumeUp*"}},
        {"every key name",
         "[All]\nTitle=x\nButton1=F24\nButton2=Esc\nButton3=Tab\nButton4=Backspace\nButton5=Enter\n"
         "Button6=PageUp\nButton7=PageDown\nButton8=Home\nButton9=End\nButton10=Insert\n"
         "Button11=Delete\nButton12=Plus\nButton13=Minus\nButton14=NumPlus\nButton15=NumMinus\n"
         "Button16=VolumeDown\nButton17=Mute\nButton19=PlayPause\nButton22=Stop\n"
         "Button23=NextTrack\nButton24=PrevTrack\nButton25=Alt+Left\nButton256=Right\n"
         "Button512=Down\n",
         false,
         {"All exe= class= title=x 1=F24 2=Esc 3=Tab 4=Backspace 5=Enter 6=PageUp* 7=PageDown* "
          "8=Home* 9=End* 10=Insert* 11=Delete* 12=Plus 13=Minus 14=NumPlus 15=NumMinus "
          "16=VolumeDown* 17=Mute* 19=PlayPause* 22=Stop* 23=NextTrack* 24=PrevTrack* "
          "25=Alt+Left* 256=Right* 512=Down*"}},
        {"problems, each skipped",
         "Button1 = A\n[P]\nClass = Frame\ngarbage\nVolume = Up\nButton5 = Spcae\n"
         "Button6 = Hyper+X\nButton7 = Ctrl+Ctrl+X\nButton18 = A\nButton20 = A\nButton21 = A\n"
         "Button32 = A\nButton257 = A\nButtonX = A\nButton8 = B\nButton8 = C\n" +
             std::string(1025, 'x') + "\n[Nothing]\nButton1 = A\n[p]\nExe = other.exe\n",
         false,
         {"P exe= class=Frame title= 8=B", "1: \"Button1\" before the first [profile]",
          "4: neither \"key = value\" nor a [section]", "5: unknown key \"Volume\"",
          "6: unknown key name \"Spcae\" in Button5", "7: unknown modifier \"Hyper\" in Button6",
          "8: modifier \"Ctrl\" given twice in Button7", notForProfile("9", "18"),
          notForProfile("10", "20"), notForProfile("11", "21"), notForProfile("12", "32"),
          notForProfile("13", "257"), notForProfile("14", "X"),
          "16: Button8 given twice: the first one counts", "17: a line longer than 1024 characters",
          "18: profile [Nothing] names no Exe, Class or Title",
          "20: a second profile [p]: the first one counts"}},
        {"broken headers skip up to the next; problems in the order of their lines",
         "[A]\nButton1 = Spcae\n[B]\nExe = b.exe\n[C\nButton2 = X\ngarbage\n[D] ; note\n"
         "Button3 = Y\n[E]\nExe = e.exe\nButton4 = Z\n; " +
             [] {
                 std::string cyrillic;
                 for (int i = 0; i < 600; ++i)
                     cyrillic += "я"; // 1200 bytes, 600 characters
                 return cyrillic;
             }() +
             "\n",
         false,
         {"B exe=b.exe class= title=", "E exe=e.exe class= title= 4=Z",
          "1: profile [A] names no Exe, Class or Title", "2: unknown key name \"Spcae\" in Button1",
          "5: " + BROKEN, "8: " + BROKEN}},
        {"Japan mode: 32 to 63, no 256",
         "[J]\nTitle=TV\nButton40=A\nButton256=B\n",
         true,
         {"J exe= class= title=TV 40=A", notForProfile("4", "256")}},
        {"not text",
         std::string("[P]\nExe=a.exe\0\n", 14),
         false,
         {"0: it is not text: save it as UTF-8 or ANSI (Notepad's \"Unicode\" is UTF-16)"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(parseProfiles(c.text, c.japan)), c.expected) << c.what;
}

} // namespace
