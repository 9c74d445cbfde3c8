// A player of today, driven through the user's profile: the program types the profile's key into
// it while it is in front, and nothing once another window is.
#include "harness/deadline.h"
#include "program/foreign_windows.h"
#include "program/program_fixture.h"
#include "program/screenshot.h"
#include "program/standins.h"
#include "unit/event_log_match.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

// Keys that reached the test's own window.
int keysTyped = 0;
LRESULT CALLBACK countKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP)
        ++keysTyped;
    return DefWindowProcA(window, message, wParam, lParam);
}

// The profiles file of the user the tests run as, written by the test and removed again.
struct ProfilesFile {
    explicit ProfilesFile(const std::string& text) {
        CreateDirectoryA(folder.c_str(), nullptr);
        ok = static_cast<bool>(std::ofstream(path(), std::ios::binary) << text);
    }
    ~ProfilesFile() {
        DeleteFileA(path().c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::string path() const { return folder + "\\profiles.ini"; }
    std::string text() const {
        std::ostringstream bytes;
        bytes << std::ifstream(path(), std::ios::binary).rdbuf();
        return bytes.str();
    }
    const std::string folder = std::string(std::getenv("APPDATA")) + "\\QN520 Remote Control";
    bool ok = false;
};

// The window in front, as a click on it puts it there.
::testing::AssertionResult inFront(HWND window) {
    if (SetForegroundWindow(window) &&
        waitUntil([&] { return GetForegroundWindow() == window; }, 5000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the window did not come to the front";
}

// The profiles file holding `text`, the player stand-in (under another file name when one is
// given) started, the program running, and the player in front.
class ProgramProfiles : public ProgramFixture {
protected:
    void startWithPlayer(const std::string& text, const char* exe = nullptr) {
        profiles = std::make_unique<ProfilesFile>(text);
        ASSERT_TRUE(profiles->ok) << profiles->path();
        player = std::make_unique<InstalledStandin>(
            StandinRole::Player, exe ? "C:\\qn520-e2e\\Named" : "C:\\qn520-e2e\\Player", exe);
        ASSERT_TRUE(player->ok() && player->startHere());
        startProgram(run);
        ASSERT_TRUE(inFront(player->window()));
    }
    std::unique_ptr<ProfilesFile> profiles;
    std::unique_ptr<InstalledStandin> player;
    ProgramRun run;
};

TEST_F(ProgramProfiles, thePlayerInFrontGetsItsProfilesKeyAndNothingOnceAnotherWindowIs) {
    ASSERT_NO_FATAL_FAILURE(
        startWithPlayer("[Player]\r\nExe = PLAYER.EXE\r\nButton12 = Ctrl+Up\r\n"));
    player->clearLog();
    pressButton("12");
    // Typed as keys: the extended bit (24) on Up alone; key-ups with bits 30 and 31.
    const std::vector<std::string> typed = {
        "player msg=0x100 wParam=0x11 lParam=0x1D0001",
        "player msg=0x100 wParam=0x26 lParam=0x1480001",
        "player msg=0x101 wParam=0x26 lParam=0xC1480001",
        "player msg=0x101 wParam=0x11 lParam=0xC01D0001",
    };
    EXPECT_TRUE(player->waitForLine(typed.back()));
    waitForReads(5);
    EXPECT_TRUE(sameEvents(player->log(), typed));

    // Another window in front: the profile is not the player's any more, and nothing is typed.
    WNDCLASSA notes{};
    notes.lpfnWndProc = countKeys;
    notes.hInstance = GetModuleHandleA(nullptr);
    notes.lpszClassName = "ProfilesTestNotes";
    RegisterClassA(&notes);
    HWND other = CreateWindowExA(0, notes.lpszClassName, "Notes", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 200, 100, nullptr, nullptr, notes.hInstance, nullptr);
    ASSERT_TRUE(inFront(other));
    SetFocus(other);
    player->clearLog();
    pressButton("12");
    waitForReads(5);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_TRUE(sameEvents(player->log(), {}));
    EXPECT_EQ(keysTyped, 0);
    DestroyWindow(other);
    exitProgram(run);
}

// A UTF-8 profile (as Notepad saves it today) whose Title is Cyrillic types into a player titled
// with those letters, which no ANSI code page of the West holds, and no longer into one titled
// with their cp1252 garbling, which the profile matched while it was compared byte for byte.
TEST_F(ProgramProfiles, aUtf8TitleInAnyScriptMatchesThePlayerTitledWithIt) {
    ASSERT_NO_FATAL_FAILURE(
        startWithPlayer("\xEF\xBB\xBF[Видео]\r\nTitle = Видео\r\nButton12 = M\r\n"));
    const std::string typed = "player msg=0x100 wParam=0x4D lParam=0x320001";
    for (const wchar_t* title : {L"Ð’Ð¸Ð´ÐµÐ¾ - clip", L"ВИДЕО - clip"}) {
        ASSERT_TRUE(SetWindowTextW(player->window(), title));
        player->clearLog();
        pressButton("12");
        waitForReads(5);
        const bool garbled = title[0] == L'Ð';
        if (!garbled) {
            EXPECT_TRUE(player->waitForLine(typed));
        }
        EXPECT_EQ(player->count(typed), garbled ? 0 : 1);
    }
    exitProgram(run);
}

// Teaching the remote as a user does it: a stand-in run as vlc.exe in front, a press, command 35,
// two presses in the dialog, Save. The file holds the two lines and the rest of it as it was, and
// the same two buttons then type VLC's Space and S into the player-> (How long it takes to show:
// tests/wine/bench/teach_bench.cpp.)
TEST_F(ProgramProfiles, twoPressesInTheTeachingDialogSetUpThePlayerInFront) {
    const std::string before = "; mine\r\n[Other]\r\nExe = other.exe\r\nButton3 = A\r\n";
    ASSERT_NO_FATAL_FAILURE(startWithPlayer(before, "vlc.exe"));
    pressButton("13"); // at the player: the mouse has nothing for 13

    PostMessageA(run.window(), WM_COMMAND, 35, 0);
    HWND teach = waitForDialog(run.processId(), "QN520 Remote Control - Teach the remote");
    ASSERT_NE(teach, nullptr);

    pressButton("14"); // Play/Pause
    pressButton("26"); // Stop
    HWND save = GetDlgItem(teach, IDOK);
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(save) != FALSE; }, 5000));
    keepScreenshot(teach, "teach.png");
    ASSERT_TRUE(clickDialogButton(teach, IDOK));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(teach); }, 5000));
    EXPECT_EQ(profiles->text(), before + "\r\n[VLC media player]\r\nExe = vlc.exe\r\n"
                                         "Button14 = Space\r\nButton26 = S\r\n");

    ASSERT_TRUE(inFront(player->window()));
    player->clearLog();
    pressButton("14");
    pressButton("26");
    const std::vector<std::string> typed = {
        "player msg=0x100 wParam=0x20 lParam=0x390001",
        "player msg=0x101 wParam=0x20 lParam=0xC0390001",
        "player msg=0x100 wParam=0x53 lParam=0x1F0001",
        "player msg=0x101 wParam=0x53 lParam=0xC01F0001",
    };
    EXPECT_TRUE(player->waitForLine(typed.back()));
    EXPECT_TRUE(sameEvents(player->log(), typed));
    exitProgram(run);
}

} // namespace
