#include "app/app_commands.h"

#include "app/main_window.h"
#include "app/resource_ids.h"
#include "event_log_match.h"
#include "tv_app_fixture.h"

using AppCommandTest = ProgramTest;

// The remote-driven applications' commands make their application the default for the rest of
// the run, whether or not it came up, and never write the registry; the players' commands leave
// the default alone. With nothing installed or running, nothing reaches the outside at all.
TEST_F(AppCommandTest, CommandsSetTheDefaultInMemoryOnly) {
    struct Case {
        int command;
        int defaultAfter;
    };
    const Case cases[] = {
        {1101, 0}, {1102, 1}, {1103, 0}, {1104, 2}, {1105, 4}, {1106, 3},
    };
    for (const Case& c : cases) {
        start();
        sim::regSetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Taviro Multimedia\\QN52X Utilities",
                         "DefaultTVAPP", 0);
        sim::clearEvents();
        settings().defaultApp = 0;
        EXPECT_EQ(runAppCommand(apps(), settings(), c.command), 1) << c.command;
        EXPECT_EQ(settings().defaultApp, c.defaultAfter) << c.command;
        EXPECT_TRUE(sameEvents(sim::events(), {})) << c.command;
    }
}

TEST_F(AppCommandTest, OtherCommandsAreNotApplicationCommands) {
    for (int command : {0, IDM_ABOUT, IDM_CLOSE, IDM_SETTING, 1100, 1107, IDM_EXIT}) {
        settings().defaultApp = 3;
        EXPECT_EQ(runAppCommand(apps(), settings(), command), 0) << command;
        EXPECT_EQ(settings().defaultApp, 3) << command;
    }
}

namespace {

class AppSwitchTest : public ProgramTest {};

} // namespace

// Each application command asks the others it names to close, in its own order, each in that
// application's own way, then brings its application to the front.
TEST_F(AppSwitchTest, EachCommandQuitsItsListInOrderThenBringsUpItsApplication) {
    for (TvApp& record : apps())
        install(record, "C:\\TV");
    powerVcrWindow();
    honestechWindow();
    winDvrWindow();
    lumenTvrWindow();
    HWND winDvd = sim::createWindow({"WinDVD", "DVDFrame", "InterVideo WinDVD 4"});
    sim::createWindow({"WinDVD video", "Video", "", winDvd});
    sim::createWindow({"WinRip", "RipFrame", "WinRip 2"});

    const Events quitWinDvd = keyDown("WinDVD video", 'X', 0x2D0001);
    const Events quitWinRip = keyDown("WinRip", 'X', 0x2D0001);
    const Events quitWinDvr = keyDown("WinDVR", 'X', 0x2D0001);
    const Events quitLumenTvr = {posted("LumenTVR", 0x0BD0, 1, 0)};
    const Events quitPowerVcr = ctrl("PowerVCR", 'X');
    const Events quitHonestech = keyDown("honestech", 'O');
    struct Case {
        int command;
        Events expected;
    };
    const Case cases[] = {
        {1101, quitWinDvr + quitWinRip + toFront("WinDVD")},
        {1102,
         quitWinDvd + quitWinRip + quitLumenTvr + quitPowerVcr + quitHonestech + toFront("WinDVR")},
        {1103, quitWinDvd + quitWinDvr + toFront("WinRip")},
        {1104, quitWinDvr + quitLumenTvr + quitHonestech + toFront("PowerVCR")},
        {1105, quitWinDvr + quitPowerVcr + quitLumenTvr + toFront("honestech")},
        {1106, quitWinDvr + quitPowerVcr + quitHonestech + toFront("LumenTVR")},
    };
    for (const Case& c : cases) {
        sim::clearEvents();
        EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, c.command, 0), 0);
        EXPECT_TRUE(sameEvents(sim::events(), c.expected)) << "command " << c.command;
    }
}
