// Teaching the remote: the rules of its rows, the players it knows, the programs it offers, and
// the dialog taking every press and saving the player's profile.
#include "tv_app_fixture.h"

#include "app/main_window.h"
#include "app/press_words.h"
#include "app/program_choices.h"
#include "app/resource_ids.h"
#include "profiles/profile_editor.h"
#include "profiles/teaching.h"

#include <sstream>

namespace {

// "selected | each row's button or . | the line".
std::string state(const Teaching& t) {
    std::string text = std::to_string(t.selected()) + " |";
    for (int row = 0; row < TAUGHT_ACTIONS; ++row)
        text += " " + (t.action(row).button ? std::to_string(*t.action(row).button) : ".");
    return text + " | " + t.line();
}

// Each step's words: a button pressed ("40j" in Japan mode), "skip", or "row N" selected.
TEST(Teaching, eachPressTeachesTheSelectedRowAndMovesOnToOneWithoutAButton) {
    Teaching t;
    t.useKeysOf(knownPlayer("VLC.EXE"));
    const std::string refused = "Power, 20 and 21 keep their meaning: press another button";
    const std::string full = "Every action has a button: Save, or select a row to change it";
    const std::pair<std::string, std::string> steps[] = {
        {"", "0 | . . . . . . . . . . | Press the remote button for Play/Pause"},
        {"14", "1 | 14 . . . . . . . . . | Press the remote button for Stop"},
        {"18 20 21 65536 40", "1 | 14 . . . . . . . . . | " + refused}, // 40 outside Japan mode
        {"14", "2 | . 14 . . . . . . . . | Press the remote button for Next"}, // 14 moves
        {"skip", "3 | . 14 . . . . . . . . | Press the remote button for Previous"},
        {"row 0", "0 | . 14 . . . . . . . . | Press the remote button for Play/Pause"},
        {"40j", "2 | 40 14 . . . . . . . . | Press the remote button for Next"},
        {"2 3 4 6 7 8 9 10", "-1 | 40 14 2 3 4 6 7 8 9 10 | " + full},
        {"11", "-1 | 40 14 2 3 4 6 7 8 9 10 | " + full}, // no row selected: nothing
    };
    for (const auto& [words, expected] : steps) {
        std::istringstream step(words);
        for (std::string word; step >> word;)
            if (word == "skip")
                t.skip();
            else if (word == "row")
                step >> word, t.select(std::stoi(word));
            else
                t.press(std::stoi(word), word.back() == 'j');
        EXPECT_EQ(state(t), expected) << words;
    }
    t.select(1);
    EXPECT_FALSE(t.setKey("Hyper+X"));
    EXPECT_TRUE(t.setKey(keyText("N", true, false, true, false)));
    t.useKeysOf(nullptr); // another program: no keys, the buttons stay
    t.select(3);
    t.setKey("Period");
    EXPECT_EQ(t.taught(), (std::vector<std::pair<RemoteButton, std::string>>{{3, "Period"}}));
    EXPECT_TRUE(t.canSave());
}

TEST(KnownPlayers, eachIsFoundByItsProgramsAndEveryDefaultIsAKeyOfTheTable) {
    for (const KnownPlayer& player : knownPlayers()) {
        for (const char* exe : player.exes)
            EXPECT_TRUE(!exe || knownPlayer(exe) == &player) << exe;
        for (const char* key : player.keys) {
            KeyChord chord;
            std::string problem;
            EXPECT_TRUE(!*key || chordByName(key, chord, problem)) << player.name << ": " << key;
        }
    }
    EXPECT_EQ(knownPlayer("MPC-HC64.EXE")->name, std::string("MPC-HC"));
    EXPECT_EQ(knownPlayer("notepad.exe"), nullptr);
}

// Front first, once each, no TV application; the program in front at the last press (or the one
// that owns that window) preselected, else the first.
TEST(ProgramChoices, theProgramsWithTheirTitlesAndTheOneInFront) {
    const WindowDescription vlc{"vlc.exe", "Qt", "clip.avi - VLC media player"};
    const WindowDescription mpv{"mpv.exe", "mpv", "movie.mkv - mpv"};
    const std::vector<ProgramChoice> choices = programChoices({
        {nullptr, vlc, {}},
        {nullptr, {"PVCR.EXE", "PowerVCR II Taurus", "PowerVCR II"}, {}},
        {nullptr, {"VLC.EXE", "Qt", "Playlist"}, {}},
        {nullptr, mpv, {}},
        {nullptr, {"", "Unknown", "No program"}, {}},
    });
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].label, "vlc.exe - clip.avi - VLC media player");
    EXPECT_EQ(choices[1].label, "mpv.exe - movie.mkv - mpv");
    EXPECT_EQ(preselected(choices, mpv, {}), 1);
    EXPECT_EQ(preselected(choices, {"", "Popup", "x"}, mpv), 1);
    EXPECT_EQ(preselected(choices, {}, {}), 0);
}

class TeachTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        sim::setEnvironmentVariable("APPDATA", "C:\\AppData");
        sim::setCaptureDevice(sim::DeviceState::Present);
        shell().pollTimer.start();
        player = sim::createWindow({"vlc", "Qt5QWindowIcon", "clip.avi - VLC media player"});
        fake::setProgramName(player, "vlc.exe");
        SetForegroundWindow(player);
    }
    static void press(DWORD raw) {
        sim::pressRemoteKey(raw);
        sim::advance(3 * POLL_PERIOD_MS); // held for three polls: one press
        sim::releaseRemoteKey();
        sim::advance(5 * POLL_PERIOD_MS);
    }
    std::string lastWords() {
        char words[WORDS_SIZE];
        describeOutcome(presses().newestFirst(0).outcome, presses().newestFirst(0).button, words);
        return words;
    }
    HWND player = nullptr;
    const std::string path = "C:\\AppData\\QN520 Remote Control\\profiles.ini";
};

// While the dialog is open every press is its own: Power switches nothing, 21 prompts nothing, a
// digit moves no pointer. Save writes the player's profile, which the next press uses at once.
TEST_F(TeachTest, theDialogTakesEveryPressAndSaveWritesThePlayersProfile) {
    press(8); // button 14 at the player, before the dialog opens: the mouse has nothing for it
    std::vector<std::string> words;
    sim::setDialogHook([&](HWND dialog, int templateId) {
        ASSERT_EQ(templateId, IDD_TEACH);
        mainWindowProc(mainWindow, WM_COMMAND, IDM_TEACH, 0); // a second command: to the front
        sim::clearEvents();
        for (DWORD raw : {30u, 29u, 9u, 8u, 0u, 9u}) { // 18, 21, 5, 14, 13, and 5 for Previous
            press(raw);
            words.push_back(lastWords());
        }
        EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"WinExec", "DialogBox", "SetCursorPos",
                                                        "mouse_event", "SendInput"}),
                               {}));
        EXPECT_EQ(presses().newestFirst(0).repeatsActed, 0u);
        EXPECT_TRUE(shell().teach.save(dialog));
        EndDialog(dialog, IDOK);
    });
    EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, IDM_TEACH, 0), 0);
    EXPECT_EQ(words,
              (std::vector<std::string>{"Teach the remote: the button keeps its meaning",
                                        "Teach the remote: the button keeps its meaning",
                                        "Teach the remote: Play/Pause", "Teach the remote: Stop",
                                        "Teach the remote: Next", "Teach the remote: Previous"}));
    EXPECT_EQ(sim::file(path), std::string(PROFILES_EXPLANATION) +
                                   "\r\n[VLC media player]\r\nExe = vlc.exe\r\nButton14 = S\r\n"
                                   "Button13 = N\r\nButton5 = P\r\n"); // 5 moved from Play/Pause
    SetForegroundWindow(player);
    sim::clearEvents();
    press(0); // button 13: N, from the profiles handed over, with no box and no second read
    EXPECT_EQ(sim::eventsStartingWith({"SendInput", "MessageBox"}),
              Events{"SendInput count=2 size=" + std::to_string(sizeof(INPUT)) +
                     " [0x4E 0x31 0x0] [0x4E 0x31 0x2]"});
}

// Where the profiles have no place, the command does nothing; a file that cannot be written is
// reported in a box, and the old one stays.
TEST_F(TeachTest, noPlaceNoDialogAndAFailedSaveLeavesTheFile) {
    sim::setEnvironmentVariable("APPDATA", "");
    start();
    EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, IDM_TEACH, 0), 0);
    EXPECT_TRUE(sim::eventsStartingWith({"DialogBox"}).empty());

    SetUp();
    sim::setFile(path, "[Mine]\r\nExe = mine.exe\r\n");
    fake::setReplaceFails(ERROR_ACCESS_DENIED);
    sim::setDialogHook([&](HWND dialog, int) {
        press(8);
        EXPECT_FALSE(shell().teach.save(dialog));
        EndDialog(dialog, IDCANCEL);
    });
    mainWindowProc(mainWindow, WM_COMMAND, IDM_TEACH, 0);
    EXPECT_EQ(sim::eventsStartingWith({"MessageBox"}),
              Events{"MessageBox owner=dialog:25 text=\"The remote profiles in\n" + path +
                     "\ncould not be saved: error 5.\" caption=\"QN520 Remote Control\" "
                     "type=0x30"});
    EXPECT_EQ(sim::file(path), "[Mine]\r\nExe = mine.exe\r\n");
}

} // namespace
