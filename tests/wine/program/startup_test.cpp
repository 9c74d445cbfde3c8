// Start-up of the real program: the way it clears for itself (the other vendor's start-up
// shortcut, the competing utilities), the single-instance rule, the hidden window and the icon,
// and "AlwaysRemoteOff".
#include "harness/deadline.h"
#include "program/program_checks.h"
#include "program/program_fixture.h"
#include "program/recorder_windows.h"
#include "program/shell_tray.h"
#include "program/test_registry.h"
#include "unit/event_log_match.h"

#include <shellapi.h>

#include <memory>
#include <string>

namespace {

using ProgramStartup = ProgramFixture;

constexpr const char* SHORTCUT_NAME = "InterVideo WinCinema Manager.lnk";

std::string startupFolder() {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows, length) + "\\Start Menu\\Programs\\StartUp";
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder, as a Windows of the product's time has it; a fresh Wine prefix lacks it.
void createFolder(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

bool writeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Listed from the top of the Z order down. The program looks at titles from the top and takes
// the first that begins with a utility's title, byte for byte.
const std::vector<std::string> COMPETING_TITLES = {
    "Tuner remote control",            // 0: other case
    "My InterVideo WinCinema Manager", // 1: contains the title, does not begin with it
    "InterVideo WinCinema Manager 2",  // 2: first WinCinema Manager
    "Tuner Remote Control - Card 1",   // 3: first Tuner Remote Control
    "InterVideo WinCinema Manager",    // 4: second WinCinema Manager
    "Tuner Remote Control",            // 5: second Tuner Remote Control
};
const std::vector<std::vector<std::string>> COMPETING_POSTS = {
    {},
    {},
    {"WM_COMMAND 0xE141 0x0", "WM_CLOSE 0x0 0x0", "WM_DESTROY 0x0 0x0"},
    {"WM_CLOSE 0x0 0x0", "WM_DESTROY 0x0 0x0"},
    {},
    {},
};

void expectCompetingPosts(RecorderWindows& utilities) {
    for (size_t i = 0; i < COMPETING_TITLES.size(); ++i)
        EXPECT_TRUE(sameEvents(utilities.received(i), COMPETING_POSTS[i]))
            << "window \"" << COMPETING_TITLES[i] << "\"";
}

TEST_F(ProgramStartup, clearsTheWayThenRunsWithAHiddenWindowAndAnIcon) {
    const std::string folder = startupFolder();
    const std::string shortcut = folder + "\\" + SHORTCUT_NAME;
    const std::string neighbour = folder + "\\Another Program.lnk";
    createFolder(folder);
    ASSERT_TRUE(writeFile(shortcut) && writeFile(neighbour)) << folder;
    RecorderWindows utilities(COMPETING_TITLES);
    ASSERT_TRUE(utilities.ok() && utilities.stackedAsListed());

    ProgramRun run;
    startProgram(run);
    // Every post went out before the window was created.
    expectCompetingPosts(utilities);
    EXPECT_FALSE(fileExists(shortcut)) << shortcut;
    EXPECT_TRUE(fileExists(neighbour)) << "only the one shortcut goes";
    DeleteFileA(neighbour.c_str());

    EXPECT_EQ(windowClass(run.window()), PROGRAM_WINDOW_CLASS);
    EXPECT_EQ(windowText(run.window()), "QN520 Remote Control");
    EXPECT_TRUE(iconShownFor(run));
    // Running: it reads the card, and its window has never been shown.
    waitForReads(3);
    EXPECT_FALSE(IsWindowVisible(run.window()));
    exitProgram(run);
    EXPECT_TRUE(sameEvents(windowsCreated(run), {"create class=QN520 Remote Control"}));
    EXPECT_FALSE(programWindowShown(run));
    EXPECT_TRUE(iconGoneBeforeTheWindow(run));
}

// A window of the older utility's class, whatever its title; gone with the object, so a failed
// test leaves nothing that would block the next start.
struct OlderUtilityWindow {
    OlderUtilityWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QN52X Remote Control";
        RegisterClassA(&windowClass); // fails harmlessly when registered before
        window = CreateWindowExA(0, windowClass.lpszClassName, "Anything", WS_OVERLAPPEDWINDOW, 0,
                                 0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~OlderUtilityWindow() { DestroyWindow(window); }
    OlderUtilityWindow(const OlderUtilityWindow&) = delete;
    OlderUtilityWindow& operator=(const OlderUtilityWindow&) = delete;
    HWND window;
};

// A window of either family's class, whatever its title, makes a new copy end at once; the way
// is still cleared before the test.
TEST_F(ProgramStartup, aRunningCopyOrTheOlderUtilityBlocksTheStart) {
    struct Blocker {
        const char* title;
        bool runProgram; // the blocker is a first copy of the program; else a window of the
                         // older utility's class, made by the test
    };
    const Blocker blockers[] = {{"a first copy", true}, {"the older utility", false}};
    for (const Blocker& blocker : blockers) {
        SCOPED_TRACE(blocker.title);
        ProgramRun first;
        std::unique_ptr<OlderUtilityWindow> older;
        if (blocker.runProgram) {
            startProgram(first);
            ASSERT_TRUE(iconShownFor(first));
        } else {
            older.reset(new OlderUtilityWindow);
            ASSERT_NE(older->window, nullptr);
        }
        RecorderWindows utilities(COMPETING_TITLES);
        ASSERT_TRUE(utilities.ok() && utilities.stackedAsListed());

        ProgramRun second;
        std::string problem;
        ASSERT_TRUE(second.start(&problem)) << problem;
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(second.waitForExit(&code)) << "the blocked copy kept running";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(sameEvents(windowsCreated(second), {})) << "the blocked copy made a window";
        expectCompetingPosts(utilities);

        if (blocker.runProgram) {
            // The first copy runs on untouched, with the only icon.
            EXPECT_TRUE(first.running());
            EXPECT_EQ(trayIconWindows().size(), 1u);
            EXPECT_TRUE(shellHoldsIcon(first.window(), PROGRAM_ICON_ID));
            exitProgram(first);
        } else {
            EXPECT_TRUE(trayIconWindows().empty());
        }
    }
}

// A shell that starts again has lost every icon and broadcasts "TaskbarCreated"; the test takes
// the icon away in the shell itself and then says so.
TEST_F(ProgramStartup, theIconComesBackWhenTheShellStartsAgain) {
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(iconShownFor(run));
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = run.window();
    record.uID = PROGRAM_ICON_ID;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
    ASSERT_FALSE(shellHoldsIcon(run.window(), PROGRAM_ICON_ID));
    PostMessageA(run.window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(iconShownFor(run));
    exitProgram(run);
    EXPECT_TRUE(iconGoneBeforeTheWindow(run));
}

TEST_F(ProgramStartup, alwaysRemoteOffOneEndsTheProgramBeforeItReads) {
    struct Case {
        DWORD value;
        bool runs;
    };
    // Only 1 turns the remote off.
    const Case cases[] = {{1, false}, {0, true}, {2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "AlwaysRemoteOff " << c.value);
        ASSERT_TRUE(card().reset());
        ASSERT_TRUE(writeDword(SETTINGS_KEY_PATH, "AlwaysRemoteOff", c.value));
        ProgramRun run;
        std::string problem;
        ASSERT_TRUE(run.start(&problem)) << problem;
        if (c.runs) {
            ASSERT_NE(run.waitForWindow(), nullptr);
            waitForReads(2);
            exitProgram(run);
            continue;
        }
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(run.waitForExit(&code)) << "the program kept running";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(iconGoneBeforeTheWindow(run));
        EXPECT_TRUE(trayIconWindows().empty());
        EXPECT_FALSE(programWindowShown(run));
        CardState state = {};
        ASSERT_TRUE(card().state(state));
        EXPECT_EQ(state.requestsLogged, 0u) << "a program that is off read the card";
    }
}

} // namespace
