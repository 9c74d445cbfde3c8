// Buttons pressed on the simulated card, followed to where they land: the stand-in TV
// application's own log, the program's launch of the default application, and the pointer.
#include "harness/deadline.h"
#include "program/foreign_windows.h"
#include "program/program_fixture.h"
#include "program/standins.h"
#include "program/test_registry.h"
#include "remote/remote_keys.h"
#include "unit/event_log_match.h"

#include <cstdio>

namespace {

using ProgramKeyDispatch = ProgramFixture;

// The decoder's rule for held buttons: the same button again within 250 ms is a repeat, and
// while a TV application is the target only every tenth repeat is delivered.
constexpr double REPEAT_WINDOW_MS = 250.0;
constexpr int REPEAT_DIVISOR = 10;

TEST_F(ProgramKeyDispatch, aDigitReachesTheRunningPowerVcrAsItsKey) {
    const struct {
        const char* key;
        const char* delivered;
    } cases[] = {
        {"5", "powervcr msg=0x100 wParam=0x35 lParam=0x60001"},
        {"0", "powervcr msg=0x100 wParam=0x30 lParam=0xB0001"},
    };
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520-e2e\\PowerVCR");
    ASSERT_TRUE(powerVcr.ok() && powerVcr.startHere());
    ProgramRun run;
    startProgram(run);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        powerVcr.clearLog();
        pressButton(c.key);
        EXPECT_TRUE(powerVcr.waitForLine(c.delivered));
        // Nothing more comes of the one press.
        waitForReads(5);
        EXPECT_TRUE(sameEvents(powerVcr.log(), {c.delivered}));
    }
    exitProgram(run);
}

// Key chords are typed as real keyboard input into the application brought to the front, each
// event with the extended-key flag (bit 24; scan code 0). Power closes PowerVCR with Ctrl+X.
TEST_F(ProgramKeyDispatch, chordsAreTypedIntoPowerVcrAndPowerClosesItWithCtrlX) {
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520-e2e\\PowerVCR");
    ASSERT_TRUE(powerVcr.ok() && powerVcr.startHere());
    ProgramRun run;
    startProgram(run);
    pressButton("7"); // makes PowerVCR the target
    ASSERT_TRUE(powerVcr.waitForLine("powervcr msg=0x100 wParam=0x37 lParam=0x80001"));
    waitForReads(5);
    pressButton("12"); // Ctrl+U
    EXPECT_TRUE(powerVcr.waitForLine("powervcr msg=0x101 wParam=0x11 lParam=0xC1000001"));
    waitForReads(5);
    pressButton("power");
    EXPECT_TRUE(powerVcr.waitForLine("exit powervcr")) << "Power did not close PowerVCR";
    const std::vector<std::string> expected = {
        "started powervcr",
        "powervcr msg=0x100 wParam=0x37 lParam=0x80001",
        "powervcr msg=0x100 wParam=0x11 lParam=0x1000001", // Ctrl+U: Ctrl down
        "powervcr msg=0x100 wParam=0x55 lParam=0x1000001",
        "powervcr msg=0x101 wParam=0x55 lParam=0xC1000001",
        "powervcr msg=0x101 wParam=0x11 lParam=0xC1000001",
        "powervcr msg=0x100 wParam=0x11 lParam=0x1000001", // Ctrl+X: closes on the X
        "powervcr msg=0x100 wParam=0x58 lParam=0x1000001",
        "exit powervcr",
    };
    EXPECT_TRUE(sameEvents(powerVcr.log(), expected));

    exitProgram(run);
}

TEST_F(ProgramKeyDispatch, powerStartsTheDefaultAppFromAFolderWithBlanksAndASecondPressClosesIt) {
    InstalledStandin lumenTvr(StandinRole::LumenTvr, "C:\\qn520 e2e\\Lumen TVR");
    ASSERT_TRUE(lumenTvr.ok());
    ASSERT_TRUE(installBlankPathTrap());
    ASSERT_TRUE(writeDword(SETTINGS_KEY_PATH, "DefaultTVAPP", 3));
    ProgramRun run;
    startProgram(run);

    pressButton("power");
    waitUntil([&] { return lumenTvr.count("started lumentvr") > 0 || blankPathTrapRan(); }, 10000);
    EXPECT_FALSE(blankPathTrapRan()) << "the command line was not quoted: C:\\qn520.exe ran";
    ASSERT_EQ(lumenTvr.count("started lumentvr"), 1) << "Power did not start LumenTVR once";
    ASSERT_TRUE(waitUntil([&] { return lumenTvr.window() != nullptr; }, 10000));
    // A separate press, well after the first: not a repeat of it.
    waitForReads(5);
    pressButton("power");
    EXPECT_TRUE(lumenTvr.waitForLine("exit lumentvr")) << "the second Power did not close it";
    EXPECT_TRUE(
        sameEvents(lumenTvr.log(), {"started lumentvr", "lumentvr msg=0xBD0 wParam=0x1 lParam=0x0",
                                    "exit lumentvr"}));
    EXPECT_TRUE(run.running());
    exitProgram(run);
}

// Power held across many polls acts once: its repeats would close what it started and start it
// again.
TEST_F(ProgramKeyDispatch, aHeldPowerStartsTheDefaultAppOnceAndLeavesItRunning) {
    InstalledStandin lumenTvr(StandinRole::LumenTvr, "C:\\qn520-e2e\\TVR");
    ASSERT_TRUE(lumenTvr.ok());
    ASSERT_TRUE(writeDword(SETTINGS_KEY_PATH, "DefaultTVAPP", 3));
    ProgramRun run;
    startProgram(run);
    // Held for 15 reads, about a second, or longer while the launch keeps the program busy.
    holdButtonForReads("power", 15);
    ASSERT_TRUE(lumenTvr.waitForLine("started lumentvr"));
    waitForReads(5);
    EXPECT_TRUE(sameEvents(lumenTvr.log(), {"started lumentvr"}));
    EXPECT_NE(lumenTvr.window(), nullptr);
    exitProgram(run);
}

// With the default application not installed, Power asks for the settings to be made again.
TEST_F(ProgramKeyDispatch, powerWithTheDefaultAppNotInstalledAsksForNewSettings) {
    ASSERT_TRUE(writeDword(SETTINGS_KEY_PATH, "DefaultTVAPP", 2));
    ProgramRun run;
    startProgram(run);
    pressButton("power");
    HWND box = waitForDialog(run.processId(), "QN520 Remote Control");
    ASSERT_NE(box, nullptr) << "no message";
    std::vector<std::string> texts;
    for (const ControlInfo& control : controlsOf(box))
        if (control.kind == "Static" && !control.text.empty())
            texts.push_back(control.text);
    EXPECT_EQ(texts, std::vector<std::string>{"Please re-initialize the TV application settings."});
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    // Polling goes on inside the message's own loop.
    waitForReads(3);
    ASSERT_TRUE(clickDialogButton(box, IDOK));
    EXPECT_TRUE(waitUntilClosed(box));
    EXPECT_TRUE(run.running());
    exitProgram(run);
}

TEST_F(ProgramKeyDispatch, aHeldButtonReachesTheTargetOnTheFirstReadAndEveryTenthRepeat) {
    const std::string FIVE = "powervcr msg=0x100 wParam=0x35 lParam=0x60001";
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520-e2e\\PowerVCR");
    ASSERT_TRUE(powerVcr.ok() && powerVcr.startHere());
    ProgramRun run;
    startProgram(run);
    // A first press makes PowerVCR the target.
    pressButton("7");
    ASSERT_TRUE(powerVcr.waitForLine("powervcr msg=0x100 wParam=0x37 lParam=0x80001"));
    waitForReads(5);

    ASSERT_TRUE(card().reset());
    holdButton("5", 1500);
    waitForReads(3);
    const int raw = rawCodeOfKey("5");
    std::vector<double> seen;
    for (const RemoteRead& read : remoteReads())
        if (read.complete && read.value == static_cast<DWORD>(raw))
            seen.push_back(read.atMs);
    ASSERT_FALSE(seen.empty());
    // What the rule delivers for the reads that saw the button, as the card timed them.
    int expected = 1;
    int repeats = 0;
    for (size_t i = 1; i < seen.size(); ++i) {
        ASSERT_LT(seen[i] - seen[i - 1], REPEAT_WINDOW_MS) << "a gap in the polls broke the hold";
        if (++repeats % REPEAT_DIVISOR == 0)
            ++expected;
    }
    const int delivered = powerVcr.count(FIVE);
    std::printf("held for 1500 ms: %zu reads saw the button, %d deliveries\n", seen.size(),
                delivered);
    EXPECT_EQ(delivered, expected) << seen.size() << " reads saw the button";
    // About 23 reads at 65 ms; a held button that repeats every read, or never, falls outside.
    EXPECT_GE(delivered, 2);
    EXPECT_LE(delivered, 4);
    exitProgram(run);
}

TEST_F(ProgramKeyDispatch, withNoTvApplicationTheDigitsMoveThePointer) {
    const struct {
        const char* key;
        int dx, dy;
    } cases[] = {{"6", 1, 0}, {"2", 0, -1}, {"4", -1, 0}, {"8", 0, 1}, {"9", 1, 1}};
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(SetCursorPos(500, 400));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        POINT before{};
        ASSERT_TRUE(GetCursorPos(&before));
        pressButton(c.key);
        POINT after = before;
        EXPECT_TRUE(waitUntil(
            [&] { return GetCursorPos(&after) && (after.x != before.x || after.y != before.y); },
            3000))
            << "the pointer did not move";
        // The first moves of a run go one pixel at a time.
        EXPECT_EQ(after.x - before.x, c.dx);
        EXPECT_EQ(after.y - before.y, c.dy);
        waitForReads(5); // separate presses
    }
    exitProgram(run);
}

} // namespace
