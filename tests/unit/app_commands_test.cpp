#include "app/tv_app_links.h"

#include "app/resource_ids.h"
#include "event_log_match.h"
#include "shell_fixture.h"

using AppCommandTest = ShellTest;

// The remote-driven applications' commands make their application the default for the rest of
// the run, whether or not it came up, and never write the registry; the players' commands leave
// the default alone. With nothing installed or running, nothing reaches the outside at all.
TEST_F(AppCommandTest, CommandsSetTheDefaultInMemoryOnly) {
    struct Case {
        int command;
        int defaultAfter;
    };
    const Case cases[] = {
        {IDM_WINDVD, 0},   {IDM_WINDVR, 1},    {IDM_WINRIP, 0},
        {IDM_POWERVCR, 2}, {IDM_HONESTECH, 4}, {IDM_LUMENTVR, 3},
    };
    for (const Case& c : cases) {
        sim::reset();
        sim::regSetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Taviro Multimedia\\QN52X Utilities",
                         "DefaultTVAPP", 0);
        sim::clearEvents();
        defaultApp = 0;
        EXPECT_EQ(runAppCommand(c.command), 1) << c.command;
        EXPECT_EQ(defaultApp, c.defaultAfter) << c.command;
        EXPECT_TRUE(sameEvents(sim::events(), {})) << c.command;
    }
}

TEST_F(AppCommandTest, OtherCommandsAreNotApplicationCommands) {
    for (int command : {0, IDM_ABOUT, IDM_CLOSE, IDM_SETTING, 1100, 1107, IDM_EXIT}) {
        defaultApp = 3;
        EXPECT_EQ(runAppCommand(command), 0) << command;
        EXPECT_EQ(defaultApp, 3) << command;
    }
}
