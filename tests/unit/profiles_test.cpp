// Profiles for other players in the running program: where they act, what they type, and when
// their file is read again.
#include "tv_app_fixture.h"

#include "app/main_window.h"
#include "app/resource_ids.h"

namespace {

const std::string APPDATA = "C:\\Users\\Mei\\AppData\\Roaming";
const std::string FILE_PATH = APPDATA + "\\QN520 Remote Control\\profiles.ini";
const std::string PROFILES = "[Player]\nClass = PlayerFrame\nButton6 = Ctrl+Up\n"
                             "Button14 = Ctrl+Shift+N\nButton15 = Win+VolumeUp\n"
                             "[Later]\nTitle = movie\nButton6 = Space\nButton12 = M\n";

// One SendInput call, each event as [virtual key, scan code, flags]: the extended flag (1) only
// on extended keys, key-ups with 2.
std::string sent(const std::string& events) {
    const int count = static_cast<int>(std::count(events.begin(), events.end(), '['));
    return "SendInput count=" + std::to_string(count) + " size=" + std::to_string(sizeof(INPUT)) +
           " " + events;
}
const std::string CTRL_UP = sent("[0x11 0x1D 0x0] [0x26 0x48 0x1] [0x26 0x48 0x3] [0x11 0x1D 0x2]");
const std::string TYPED_M = sent("[0x4D 0x32 0x0] [0x4D 0x32 0x2]");

HWND inFront(HWND window) {
    SetForegroundWindow(window);
    return window;
}
HWND player() {
    return sim::createWindow({"player", "PlayerFrame", "Movie - Player"});
}
HWND playerInFront() {
    return inFront(player());
}

class ProfilesTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        sim::setEnvironmentVariable("APPDATA", APPDATA);
    }
    // A press at the tick: what was typed and shown.
    Events pressAt(DWORD tick, RemoteButton button) {
        sim::setTickCount(tick);
        sim::clearEvents();
        dispatch(button);
        return sim::eventsStartingWith({"SendInput", "MessageBox"});
    }
};

// Profiles act only where the mouse emulation would: a TV application comes first; only the
// foreground window (or the window that owns it) counts; the first matching profile wins; the
// buttons it does not name are the mouse's.
TEST_F(ProfilesTest, profilesActOnlyWhereTheMouseWould) {
    const struct {
        const char* scene;
        HWND (*front)();
        RemoteButton button;
        Events expected;
    } rows[] = {
        {"the first matching profile", playerInFront, 6, {CTRL_UP}},
        {"modifiers in order, released in reverse",
         playerInFront,
         14,
         {sent("[0x11 0x1D 0x0] [0x10 0x2A 0x0] [0x4E 0x31 0x0] [0x4E 0x31 0x2] [0x10 0x2A 0x2] "
               "[0x11 0x1D 0x2]")}},
        {"the Win key and a media key, both extended",
         playerInFront,
         15,
         {sent("[0x5B 0x5B 0x1] [0xAF 0x30 0x1] [0xAF 0x30 0x3] [0x5B 0x5B 0x3]")}},
        {"not what a later profile names", playerInFront, 12, {}},
        {"a later profile",
         [] {
             return inFront(sim::createWindow({"o", "Frame", "A MOVIE"}));
         },
         12,
         {TYPED_M}},
        {"a button no profile names", playerInFront, 4, {"SetCursorPos 511,384"}},
        {"the owner of the window in front",
         [] {
             return inFront(sim::createWindow({"bar", "Bar", "", nullptr, 0, 1, player()}));
         },
         6,
         {CTRL_UP}},
        {"a matching window behind another",
         [] {
             return player(), inFront(sim::createWindow({"notes", "Notepad", "notes"}));
         },
         6,
         {"SetCursorPos 513,384"}},
        {"a TV application first", [] { return playerInFront(), powerVcrWindow(); }, 14,
         keyDown("PowerVCR", 'S')},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scene);
        start();
        sim::setEnvironmentVariable("APPDATA", APPDATA);
        sim::setFile(FILE_PATH, PROFILES);
        row.front();
        sim::clearEvents();
        dispatch(row.button);
        EXPECT_TRUE(sameEvents(
            sim::eventsStartingWith({"SendInput", "SetCursorPos", "PostMessage"}), row.expected));
    }
}

// The file's time is looked at only at a press that reaches the profiles, at most once a second:
// a press a second after a save uses the saved file. Each saved version's problems are shown in
// one box.
TEST_F(ProfilesTest, theFileIsReadAgainAfterASaveAndEachVersionsProblemsAreShownOnce) {
    playerInFront();
    sim::setFile(FILE_PATH, "[P]\nClass = PlayerFrame\nButton12 = M\n", 1);
    EXPECT_EQ(pressAt(10000, 12), Events{TYPED_M});
    sim::setFile(FILE_PATH, "[P]\nClass = PlayerFrame\nButton12 = Spcae\nButton13 = X\nx\n", 2);
    EXPECT_EQ(pressAt(10900, 12), Events{TYPED_M}) << "looked at less than a second ago";
    const std::string box = "MessageBox owner=null text=\"The remote profiles in\n" + FILE_PATH;
    const std::string caption = "\" caption=\"QN520 Remote Control\" type=0x0";
    EXPECT_EQ(pressAt(11000, 12),
              Events{box +
                     "\nhave problems; those lines are skipped and the rest is used.\n\n"
                     "Line 3: unknown key name \"Spcae\" in Button12.\n\n1 more: the remote "
                     "monitor lists them all." +
                     caption});
    EXPECT_EQ(pressAt(13000, 12), Events{}) << "shown once";
    sim::setFile(FILE_PATH, std::string("x\0", 2), 3);
    EXPECT_EQ(pressAt(14000, 12),
              Events{box +
                     "\nare not used: it is not text: save it as UTF-8 or ANSI (Notepad's "
                     "\"Unicode\" is UTF-16)." +
                     caption});
    EXPECT_EQ(pressAt(15000, 12), Events{});
}

// Edit creates the file with its explanation when it is missing, never writes over the user's,
// and opens it in the Windows folder's Notepad, both paths quoted.
TEST_F(ProfilesTest, editCreatesTheFileOnceAndOpensItInNotepad) {
    sim::setWindowsDirectory("C:\\WINDOWS");
    for (const char* before : {"", "[Mine]\n"}) {
        if (*before)
            sim::setFile(FILE_PATH, before);
        EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, IDM_EDIT_PROFILES, 0), 0);
        // The log quotes the whole command line.
        EXPECT_EQ(sim::eventsStartingWith({"WinExec"}).back(),
                  "WinExec \"\"C:\\WINDOWS\\notepad.exe\" \"" + FILE_PATH + "\"\" show=1");
    }
    EXPECT_EQ(sim::file(FILE_PATH), "[Mine]\n");
    start();
    sim::setEnvironmentVariable("APPDATA", APPDATA);
    mainWindowProc(mainWindow, WM_COMMAND, IDM_EDIT_PROFILES, 0);
    const std::string text = sim::file(FILE_PATH).value_or("");
    EXPECT_EQ(text.rfind("; QN520 Remote Control: remote profiles for other players.\r\n", 0), 0u);
    const ProfileSet example = parseProfiles(text, false);
    EXPECT_TRUE(example.profiles.empty() && example.problems.empty()) << "all comments";
}

} // namespace
