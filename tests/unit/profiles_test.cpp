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
    // A press at the tick, and the box after it as the poll shows it: what was typed and shown.
    Events pressAt(DWORD tick, RemoteButton button) {
        sim::setTickCount(tick);
        sim::clearEvents();
        dispatch(button);
        profiles().showProblems();
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
    // A drag that button 5 holds ends before the player gets its key.
    start();
    sim::setEnvironmentVariable("APPDATA", APPDATA);
    sim::setFile(FILE_PATH, PROFILES);
    playerInFront();
    mouse().primaryHeld = true;
    sim::clearEvents();
    dispatch(6);
    EXPECT_EQ(sim::eventsStartingWith({"SendInput", "mouse_event"}),
              (Events{"mouse_event flags=0x4 dx=512 dy=384 data=0 extra=0x0", CTRL_UP}));
    EXPECT_FALSE(mouse().primaryHeld);
}

// Exe, Class and Title are compared as text in any script, with letter case ignored for every
// letter that has one and by no locale; a file that is UTF-8 (with its mark or without) is read
// as UTF-8, any other in the ANSI code page.
TEST_F(ProfilesTest, everyScriptMatchesAsTextInAnyLetterCase) {
    const struct {
        const char* file; // before "Button6 = M\n"
        const char* className;
        const char* title;
        bool types;
    } rows[] = {
        {"\xEF\xBB\xBF[P]\nTitle = Lecteur multimédia\n", "Frame", "Lecteur multimédia - Film",
         true},
        {"[P]\nTitle = Видео\n", "Frame", "Видео", true},
        {"[P]\nTitle = Lecteur multim\xE9"
         "dia\n",
         "Frame", "lecteur MULTIMÉDIA", true},
        {"[P]\nTitle = Видео\n", "Frame", "Ð’Ð¸Ð´ÐµÐ¾", false}, // its own text read as cp1252
        {"[P]\nTitle = ВИДЕО\nClass = ФРЕЙМ\n", "фрейм", "видео", true},
        {"[P]\nTitle = TITLE\n", "Frame", "tıtle", false}, // no dotless i in any locale
        {"[P]\nClass = Fr\n", "Frame", "", false},         // the whole class
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        start();
        sim::setEnvironmentVariable("APPDATA", APPDATA);
        sim::setFile(FILE_PATH, std::string(row.file) + "Button6 = M\n");
        inFront(sim::createWindow({"w", row.className, row.title}));
        EXPECT_EQ(pressAt(1000, 6), row.types ? Events{TYPED_M} : Events{}) << row.title;
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
    // While its box is open, a newer version is saved and a press reaches it: that version gets
    // its own box at a later press, once this one has closed.
    sim::setMessageBoxHook([this](const sim::ModalBox&) {
        sim::setFile(FILE_PATH, "[P]\nClass = PlayerFrame\n[Q\n", 4);
        sim::setTickCount(15000);
        dispatch(12);
        profiles().showProblems();
        return IDOK;
    });
    EXPECT_EQ(pressAt(14000, 12),
              Events{box +
                     "\nare not used: it is not text: save it as UTF-8 or ANSI (Notepad's "
                     "\"Unicode\" is UTF-16)." +
                     caption});
    sim::setMessageBoxHook(nullptr);
    EXPECT_EQ(pressAt(16000, 12),
              Events{box +
                     "\nhave problems; those lines are skipped and the rest is used.\n\nLine 3: "
                     "not a whole [section] line; it and the lines after it, up to the next "
                     "[section], are skipped." +
                     caption});
    EXPECT_EQ(pressAt(17000, 12), Events{});
}

// Edit creates the file with its explanation when it is missing, never writes over the user's,
// and opens it in the Windows folder's Notepad, both paths quoted, without waiting for it. While
// that Notepad runs, the command brings it to the front; however it ended, the next one starts no
// sooner than two seconds after the last.
TEST_F(ProfilesTest, editOpensOneNotepadAtATimeWithoutWaitingForIt) {
    sim::setWindowsDirectory("C:\\WINDOWS");
    const std::string notepad =
        "CreateProcess \"\"C:\\WINDOWS\\notepad.exe\" \"" + FILE_PATH + "\"\"";
    auto edits = [this](int count, DWORD at) {
        sim::setTickCount(at);
        sim::clearEvents();
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, IDM_EDIT_PROFILES, 0), 0);
        return sim::eventsStartingWith({"CreateProcess", "BringToFront", "WinExec"});
    };
    sim::setFile(FILE_PATH, "[Mine]\n");
    EXPECT_EQ(edits(1000, 1000), Events{notepad} + Events(999, "BringToFront process=1"));
    fake::endStartedPrograms();
    EXPECT_EQ(edits(3, 2999), Events{});
    EXPECT_EQ(edits(1, 3000), Events{notepad});
    EXPECT_EQ(sim::file(FILE_PATH), "[Mine]\n");
    EXPECT_EQ(sim::totalSleptMs(), 0u);

    start();
    sim::setEnvironmentVariable("APPDATA", APPDATA);
    mainWindowProc(mainWindow, WM_COMMAND, IDM_EDIT_PROFILES, 0);
    const std::string text = sim::file(FILE_PATH).value_or("");
    EXPECT_EQ(text.rfind("; QN520 Remote Control: remote profiles for other players.\r\n", 0), 0u);
    const ProfileSet example = parseProfiles(text, false);
    EXPECT_TRUE(example.profiles.empty() && example.problems.empty()) << "all comments";
}

} // namespace
