// A player of today, driven through the user's profile: the program types the profile's key into
// it while it is in front, and nothing once another window is.
#include "harness/deadline.h"
#include "program/program_fixture.h"
#include "program/standins.h"
#include "unit/event_log_match.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using ProgramProfiles = ProgramFixture;

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
    const std::string folder = std::string(std::getenv("APPDATA")) + "\\QN520 Remote Control";
    bool ok = false;
};

TEST_F(ProgramProfiles, thePlayerInFrontGetsItsProfilesKeyAndNothingOnceAnotherWindowIs) {
    const ProfilesFile profiles("[Player]\r\nExe = PLAYER.EXE\r\nButton12 = Ctrl+Up\r\n");
    ASSERT_TRUE(profiles.ok) << profiles.path();
    InstalledStandin player(StandinRole::Player, "C:\\qn520-e2e\\Player");
    ASSERT_TRUE(player.ok() && player.startHere());
    ProgramRun run;
    startProgram(run);

    ASSERT_TRUE(SetForegroundWindow(player.window()));
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == player.window(); }, 5000));
    player.clearLog();
    pressButton("12");
    // Typed as keys: the extended bit (24) on Up alone; key-ups with bits 30 and 31.
    const std::vector<std::string> typed = {
        "player msg=0x100 wParam=0x11 lParam=0x1D0001",
        "player msg=0x100 wParam=0x26 lParam=0x1480001",
        "player msg=0x101 wParam=0x26 lParam=0xC1480001",
        "player msg=0x101 wParam=0x11 lParam=0xC01D0001",
    };
    EXPECT_TRUE(player.waitForLine(typed.back()));
    waitForReads(5);
    EXPECT_TRUE(sameEvents(player.log(), typed));

    // Another window in front: the profile is not the player's any more, and nothing is typed.
    WNDCLASSA notes{};
    notes.lpfnWndProc = countKeys;
    notes.hInstance = GetModuleHandleA(nullptr);
    notes.lpszClassName = "ProfilesTestNotes";
    RegisterClassA(&notes);
    HWND other = CreateWindowExA(0, notes.lpszClassName, "Notes", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 200, 100, nullptr, nullptr, notes.hInstance, nullptr);
    ASSERT_TRUE(SetForegroundWindow(other));
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == other; }, 5000));
    SetFocus(other);
    player.clearLog();
    pressButton("12");
    waitForReads(5);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_TRUE(sameEvents(player.log(), {}));
    EXPECT_EQ(keysTyped, 0);
    DestroyWindow(other);
    exitProgram(run);
}

// A UTF-8 profile (as Notepad saves it today) whose Title is Cyrillic types into a player titled
// with those letters, which no ANSI code page of the West holds, and no longer into one titled
// with their cp1252 garbling, which the profile matched while it was compared byte for byte.
TEST_F(ProgramProfiles, aUtf8TitleInAnyScriptMatchesThePlayerTitledWithIt) {
    const ProfilesFile profiles("\xEF\xBB\xBF[Видео]\r\nTitle = Видео\r\nButton12 = M\r\n");
    ASSERT_TRUE(profiles.ok) << profiles.path();
    InstalledStandin player(StandinRole::Player, "C:\\qn520-e2e\\Player");
    ASSERT_TRUE(player.ok() && player.startHere());
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(SetForegroundWindow(player.window()));
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == player.window(); }, 5000));
    const std::string typed = "player msg=0x100 wParam=0x4D lParam=0x320001";
    for (const wchar_t* title : {L"Ð’Ð¸Ð´ÐµÐ¾ - clip", L"ВИДЕО - clip"}) {
        ASSERT_TRUE(SetWindowTextW(player.window(), title));
        player.clearLog();
        pressButton("12");
        waitForReads(5);
        const bool garbled = title[0] == L'Ð';
        if (!garbled) {
            EXPECT_TRUE(player.waitForLine(typed));
        }
        EXPECT_EQ(player.count(typed), garbled ? 0 : 1);
    }
    exitProgram(run);
}

} // namespace
