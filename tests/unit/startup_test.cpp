#include "app/startup.h"
#include "tvapps/window_search.h"

#include "event_log_match.h"
#include "program_fixture.h"

#include <string>
#include <vector>

using StartupTest = ProgramTest;

namespace {

const std::string SUFFIX = "\\Start Menu\\Programs\\StartUp\\InterVideo WinCinema Manager.lnk";

HWND topLevel(const std::string& label, const std::string& className, const std::string& title) {
    return sim::createWindow({label, className, title});
}

} // namespace

// The path is built in 128 bytes: a Windows folder of up to 66 characters leaves room for the
// 61-character suffix and the terminator; a longer one deletes nothing rather than a cut path.
TEST_F(StartupTest, StartupShortcutIsDeletedOnlyWhenItsPathFitsTheBuffer) {
    struct Case {
        std::string folder;
        bool deleted;
    };
    const Case cases[] = {
        {"C:\\WINDOWS", true},
        {"C:\\" + std::string(63, 'w'), true},   // 66 + 61 = 127 characters
        {"C:\\" + std::string(64, 'w'), false},  // 128 characters: no room for the terminator
        {"C:\\" + std::string(124, 'w'), false}, // the folder alone fills the buffer
        {"C:\\" + std::string(125, 'w'), false}, // GetWindowsDirectoryA reports it too small
        {"C:\\" + std::string(200, 'w'), false},
    };
    for (const Case& c : cases) {
        sim::reset();
        sim::setWindowsDirectory(c.folder);
        deleteStartupShortcut();
        const std::vector<std::string> expected =
            c.deleted ? std::vector<std::string>{c.folder + SUFFIX} : std::vector<std::string>{};
        EXPECT_EQ(sim::deletedFiles(), expected) << "folder of " << c.folder.size() << " chars";
    }
}

TEST_F(StartupTest, TopLevelWindowIsFoundByTitlePrefixInZOrder) {
    struct Case {
        const char* prefix;
        const char* found;
    };
    HWND parent = topLevel("parent", "Host", "Host window");
    sim::createWindow({"child", "Child", "Tuner Remote Control child", parent});
    topLevel("lower", "A", "Tuner Remote Control (second)");
    topLevel("hidden", "B", "Tuner Remote Control");
    sim::createWindow({"hiddenFlag", "C", "Hidden utility", nullptr, false, false});
    topLevel("short", "D", "Tuner");
    topLevel("upper", "E", "tuner remote control");
    const Case cases[] = {
        {"Tuner Remote Control", "hidden"}, // top of the Z order among the matches
        {"Tuner Remote", "hidden"},
        {"Hidden", "hiddenFlag"},               // invisible windows count
        {"Tuner Remote Control child", "null"}, // children are not top-level windows
        {"", "upper"},                          // an empty prefix matches the first window
        {"Tuner Remote Control (second) and more", "null"}, // longer than every title
        {"TUNER", "null"},                                  // case-sensitive
    };
    for (const Case& c : cases)
        EXPECT_EQ(sim::describe(findTopLevelTitleStartingWith(c.prefix)), c.found) << c.prefix;
}

TEST_F(StartupTest, CompetingUtilitiesGetTheirClosePostsFirstMatchOnly) {
    topLevel("cinemaLow", "WinCinema", "InterVideo WinCinema Manager");
    topLevel("tuner", "Tuner", "Tuner Remote Control 2.1");
    topLevel("cinemaHigh", "WinCinema", "InterVideo WinCinema Manager - tray");
    topLevel("tunerLow", "Tuner", "Tuner Remote Control");
    topLevel("other", "Other", "My InterVideo WinCinema Manager");
    sim::clearEvents();
    closeCompetingUtilities();
    EXPECT_TRUE(
        sameEvents(sim::events(), {
                                      "PostMessage cinemaHigh msg=0x111 wParam=0xE141 lParam=0x0",
                                      "PostMessage cinemaHigh msg=0x10 wParam=0x0 lParam=0x0",
                                      "PostMessage cinemaHigh msg=0x2 wParam=0x0 lParam=0x0",
                                      "PostMessage tunerLow msg=0x10 wParam=0x0 lParam=0x0",
                                      "PostMessage tunerLow msg=0x2 wParam=0x0 lParam=0x0",
                                  }));
}

TEST_F(StartupTest, NoCompetingUtilityMeansNothingIsPosted) {
    topLevel("cinema", "WinCinema", "InterVideo WinCinema");
    sim::clearEvents();
    closeCompetingUtilities();
    EXPECT_TRUE(sameEvents(sim::events(), {}));
}

// A utility that ignores the posts keeps running; start-up does not wait for it.
TEST_F(StartupTest, PostsThatFailDoNotStopTheStart) {
    HWND cinema = topLevel("cinema", "WinCinema", "InterVideo WinCinema Manager");
    sim::setPostFails(cinema, true);
    closeCompetingUtilities();
    EXPECT_EQ(sim::eventsStartingWith({"PostMessage"}).size(), 3u);
    EXPECT_EQ(sim::tickCount(), 0u);
}

TEST_F(StartupTest, AnotherCopyOrTheOlderUtilityBlocksTheStartByClassAlone) {
    struct Case {
        const char* className;
        const char* title;
        int blocks;
    };
    const Case cases[] = {
        {"QN520 Remote Control", "", 1},      {"QN52X Remote Control", "anything", 1},
        {"qn520 remote control", "", 1}, // class names compare without case in Win32
        {"Other", "QN520 Remote Control", 0}, {"QN520 Remote Control Plus", "", 0},
    };
    for (const Case& c : cases) {
        sim::reset();
        sim::createWindow({"w", c.className, c.title});
        EXPECT_EQ(anotherInstanceRunning(), c.blocks) << c.className << " / " << c.title;
    }
    sim::reset();
    EXPECT_EQ(anotherInstanceRunning(), 0);
}

TEST_F(StartupTest, PollingStartsOneTimerOfSixtyFiveMsOnTheMainWindow) {
    sim::regSetString(HKEY_CURRENT_USER, "Control Panel\\International", "iCountry", "81");
    sim::clearEvents();
    program->startPolling();
    program->startPolling(); // armed already: not set again
    program->prepareAppWatch();
    EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"SetTimer", "KillTimer"}),
                           {"SetTimer main id=1 period=65"}));
    ASSERT_EQ(sim::timers().size(), 1u);
    EXPECT_EQ(sim::timers()[0].window, mainWindow);
    EXPECT_EQ(settings().japanMode, 1);
    // The app watch waits, configured, for an adapter to start it.
    EXPECT_EQ(watch().watchTimer().owner, mainWindow);
    EXPECT_EQ(watch().watchTimer().periodMs, 1000u);
    EXPECT_FALSE(watch().watchTimer().armed);
    watch().lookAfter(powerVcr());
    EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"SetTimer"}),
                           {"SetTimer main id=1 period=65", "SetTimer main id=2 period=1000"}));
}
