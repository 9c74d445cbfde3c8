#include "tv_app_fixture.h"

namespace {

class KeyDispatcherTest : public TvAppTest {
protected:
    void SetUp() override {
        TvAppTest::SetUp();
        install(PowerVcrApp, "C:\\PVCR");
        install(WinDvrApp, "C:\\DVR");
        install(HonestechApp, "C:\\TV");
    }
    static void allFourRunning() {
        powerVcrWindow();
        winDvrWindow();
        honestechWindow();
        lumenTvrWindow();
    }
};

const Events QUIT_POWERVCR = ctrl("PowerVCR", 'X');
const Events QUIT_WINDVR = keyDown("WinDVR", 'X', 0x002D0001);
const Events QUIT_HONESTECH = keyDown("honestech", 'O');
const Events QUIT_LUMENTVR = {posted("LumenTVR", 0x0BD0, 1, 0)};
const std::string WATCH_STARTED = "SetTimer main id=2 period=1000";

// While the prompt is open every button answers it and nothing reaches the target.
TEST_F(KeyDispatcherTest, theOpenShutDownPromptTakesEveryButton) {
    PowerVcrApp.active = 1;
    powerVcrWindow();
    shutdownDialog = sim::createWindow({"prompt", "#32770", ""});
    const std::pair<RemoteButton, WPARAM> answers[] = {{18, 0x0D}, {0, 0x1B},  {20, 0x1B},
                                                       {21, 0x1B}, {-1, 0x1B}, {65536, 0x1B}};
    for (const auto& [button, key] : answers) {
        shutdownPromptOpen = 1;
        sim::clearEvents();
        dispatchButton(button, mainWindow);
        EXPECT_TRUE(sameEvents(sim::events(),
                               toFront("prompt") + Events{"SendMessage prompt msg=0x100 wParam=" +
                                                          sim::hex(key) + " lParam=0x0"}))
            << button;
    }
}

TEST_F(KeyDispatcherTest, theFirstActiveApplicationInPrecedenceOrderIsTheTarget) {
    allFourRunning();
    struct Case {
        std::vector<TvApp*> active;
        Events expected;
    };
    const Case cases[] = {
        {{&PowerVcrApp, &LumenTvrApp}, digitKey("PowerVCR", 5)},
        {{&LumenTvrApp, &WinDvrApp, &HonestechApp}, digitKey("WinDVR", 5)},
        {{&HonestechApp, &LumenTvrApp}, digitKey("honestech", 5)},
        {{&LumenTvrApp}, {posted("LumenTVR", 0x0BD0, 10005, 0)}},
    };
    for (const Case& c : cases) {
        for (TvApp* app : ALL_RECORDS)
            app->active = 0;
        for (TvApp* app : c.active)
            app->active = 1;
        sim::clearEvents();
        dispatchButton(5, mainWindow);
        EXPECT_TRUE(sameEvents(sim::events(), c.expected));
    }
}

// Power and button 20 toggle the target (which here closes it); 21 is LumenTVR's alone; -1 is
// nothing for every target.
TEST_F(KeyDispatcherTest, theTargetTableOfPowerAndButtons20And21) {
    allFourRunning();
    struct Case {
        TvApp* target;
        RemoteButton button;
        Events expected;
    };
    const Case cases[] = {
        {&PowerVcrApp, 18, QUIT_POWERVCR},
        {&PowerVcrApp, 20, QUIT_POWERVCR},
        {&PowerVcrApp, 21, {}},
        {&PowerVcrApp, -1, {}},
        {&WinDvrApp, 18, QUIT_WINDVR},
        {&WinDvrApp, 20, QUIT_WINDVR},
        {&WinDvrApp, 21, {}},
        {&WinDvrApp, -1, {}},
        {&HonestechApp, 18, QUIT_HONESTECH},
        {&HonestechApp, 20, QUIT_HONESTECH},
        {&HonestechApp, 21, {}},
        {&HonestechApp, -1, {}},
        {&LumenTvrApp, 18, QUIT_LUMENTVR},
        {&LumenTvrApp, 20, {posted("LumenTVR", 0x0BD0, 6000, 0)}},
        {&LumenTvrApp, 21, {posted("LumenTVR", 0x0BD0, 5001, 0)}},
        {&LumenTvrApp, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target->texts->productName) + " button " +
                     std::to_string(c.button));
        c.target->active = 1;
        sim::clearEvents();
        dispatchButton(c.button, mainWindow);
        EXPECT_TRUE(sameEvents(sim::events(), c.expected));
        c.target->active = 0;
    }
}

// With no target, the first application found in the order LumenTVR, PowerVCR, WinDVR,
// honestech TV becomes the target, even for a code that its map ignores.
TEST_F(KeyDispatcherTest, withNoTargetTheFirstApplicationFoundBecomesTheTarget) {
    HWND power = powerVcrWindow();
    dispatchButton(BUTTON_NONE, mainWindow);
    EXPECT_EQ(PowerVcrApp.active, 1);
    EXPECT_TRUE(sameEvents(sim::events(), {}));

    PowerVcrApp.active = 0;
    sim::destroyWindow(power);
    winDvrWindow();
    powerVcrWindow();
    lumenTvrWindow();
    dispatchButton(5, mainWindow);
    EXPECT_EQ(LumenTvrApp.active, 1);
    EXPECT_EQ(PowerVcrApp.active, 0);
    EXPECT_TRUE(sameEvents(sim::events(), {posted("LumenTVR", 0x0BD0, 10005, 0)}));
}

TEST_F(KeyDispatcherTest, withNoApplicationRunningTheDigitsMoveThePointer) {
    sim::createWindow({"other", "Notepad", "TVR notes"}); // a title is not the dispatcher's test
    dispatchButton(6, mainWindow);
    dispatchButton(BUTTON_NONE, mainWindow);
    EXPECT_TRUE(sameEvents(sim::events(), {"SetCursorPos 513,384"}));
    for (TvApp* app : ALL_RECORDS)
        EXPECT_EQ(app->active, 0);
}

// Power with no target quits the other three in the order WinDVR, PowerVCR, honestech TV,
// LumenTVR, then toggles the default one, which closes it when it runs.
TEST_F(KeyDispatcherTest, powerWithNoTargetSwitchesToTheDefaultApplication) {
    allFourRunning();
    const std::pair<int, Events> cases[] = {
        {DEFAULT_WINDVR, QUIT_POWERVCR + QUIT_HONESTECH + QUIT_LUMENTVR + QUIT_WINDVR},
        {DEFAULT_POWERVCR, QUIT_WINDVR + QUIT_HONESTECH + QUIT_LUMENTVR + QUIT_POWERVCR},
        {DEFAULT_LUMENTVR, QUIT_WINDVR + QUIT_POWERVCR + QUIT_HONESTECH + QUIT_LUMENTVR},
        {DEFAULT_HONESTECH, QUIT_WINDVR + QUIT_POWERVCR + QUIT_LUMENTVR + QUIT_HONESTECH},
        {0, {}},
        {5, {}},
    };
    for (const auto& [number, expected] : cases) {
        defaultApp = number;
        sim::clearEvents();
        dispatchButton(BUTTON_POWER, mainWindow);
        EXPECT_TRUE(sameEvents(sim::events(), expected)) << "default " << number;
    }
}

TEST_F(KeyDispatcherTest, powerStartsTheDefaultApplicationAndWatchesIt) {
    defaultApp = DEFAULT_LUMENTVR;
    dispatchButton(BUTTON_POWER, mainWindow);
    EXPECT_TRUE(
        sameEvents(sim::events(), {R"(WinExec ""C:\TV\honestechTV.EXE"" show=5)", WATCH_STARTED}));
    EXPECT_EQ(LumenTvrApp.active, 1);
    EXPECT_EQ(watchLumenTvr, 1);
}

// The message names the problem; the switch is carried out all the same, with the default that
// holds once the message is closed.
TEST_F(KeyDispatcherTest, powerForADefaultThatIsNotInstalledSaysSoAndSwitchesAnyway) {
    install(PowerVcrApp, std::string(200, 'p')); // too long to be an install path
    ASSERT_EQ(PowerVcrApp.installed, 0);
    defaultApp = DEFAULT_POWERVCR;
    sim::setMessageBoxHook([](const sim::ModalBox&) {
        defaultApp = DEFAULT_WINDVR; // chosen in the Setting dialog meanwhile
        return IDOK;
    });
    dispatchButton(BUTTON_POWER, mainWindow);
    EXPECT_TRUE(sameEvents(sim::events(),
                           {"MessageBox owner=null text=\"Please re-initialize the TV application "
                            "settings.\" caption=\"QN520 Remote Control\" type=0x10000",
                            R"(WinExec ""C:\DVR\WINDVR.EXE"" show=5)", WATCH_STARTED}));

    // Button 20 asks nothing: the toggle of an application that is not installed only starts the
    // watch, which stops itself.
    defaultApp = DEFAULT_POWERVCR;
    WinDvrApp.active = 0;
    sim::setMessageBoxHook(nullptr);
    appWatchTimer.stop();
    sim::clearEvents();
    dispatchButton(BUTTON_20, mainWindow);
    EXPECT_TRUE(sameEvents(sim::events(), {WATCH_STARTED}));
    EXPECT_EQ(watchPowerVcr, 0);
}

TEST_F(KeyDispatcherTest, button21OpensTheShutDownPromptOnlyWhenNoApplicationRuns) {
    HWND power = powerVcrWindow();
    dispatchButton(BUTTON_21, mainWindow);
    EXPECT_TRUE(sameEvents(sim::events(), {}));

    sim::destroyWindow(power);
    sim::setDialogHook([](HWND, int) { dispatchButton(3, mainWindow); });
    dispatchButton(BUTTON_21, mainWindow);
    EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"DialogBox", "SendMessage", "EndDialog"}),
                           {"DialogBox template=107 owner=main",
                            "SendMessage dialog:107 msg=0x100 wParam=0x1B lParam=0x0",
                            "EndDialog dialog:107 result=27"}));
    EXPECT_EQ(shutdownPromptOpen, 0);
}

// ---- the Power toggle and the app watch

struct ToggleCase {
    const char* name;
    int (*toggle)();
    HWND (*window)();
    TvApp* app;
    int* watchFlag;
    const char* commandLine;
    Events quit;
};

const ToggleCase TOGGLES[] = {
    {"PowerVCR", [] { return PowerVcrApp.togglePower(); }, [] { return powerVcrWindow(); },
     &PowerVcrApp, &watchPowerVcr, R"(WinExec ""C:\PVCR\PVCR.EXE"" show=5)", QUIT_POWERVCR},
    {"WinDVR", [] { return WinDvrApp.togglePower(); }, [] { return winDvrWindow(); }, &WinDvrApp,
     &watchWinDvr, R"(WinExec ""C:\DVR\WINDVR.EXE"" show=5)", QUIT_WINDVR},
    {"honestech", [] { return HonestechApp.togglePower(); }, [] { return honestechWindow(); },
     &HonestechApp, &watchHonestech, R"(WinExec ""C:\TV\honestechTV.EXE"" show=5)", QUIT_HONESTECH},
    {"LumenTVR", [] { return LumenTvrApp.togglePower(); }, [] { return lumenTvrWindow(); },
     &LumenTvrApp, &watchLumenTvr, R"(WinExec ""C:\TV\honestechTV.EXE"" show=5)", QUIT_LUMENTVR},
};

TEST_F(KeyDispatcherTest, powerToggleStartsAndWatchesOrCloses) {
    for (const ToggleCase& c : TOGGLES) {
        SCOPED_TRACE(c.name);
        sim::clearEvents();
        EXPECT_EQ(c.toggle(), 1);
        EXPECT_EQ(c.app->active, 1);
        EXPECT_EQ(*c.watchFlag, 1);
        EXPECT_TRUE(sameEvents(sim::events(), {c.commandLine, WATCH_STARTED}));

        appWatchTimer.stop();
        c.window();
        sim::clearEvents();
        c.toggle();
        EXPECT_EQ(c.app->active, 0);
        EXPECT_TRUE(sameEvents(sim::events(), c.quit)); // the watch is not started
    }
}

TEST_F(KeyDispatcherTest, aFailedStartSetsNoWatchUnlessTheApplicationWasAlreadyTheTarget) {
    sim::setWinExecResult(2);
    sim::setMessageBoxHook([](const sim::ModalBox&) { return IDOK; });
    for (const ToggleCase& c : TOGGLES) {
        SCOPED_TRACE(c.name);
        for (int wasTarget = 0; wasTarget < 2; ++wasTarget) {
            c.app->active = wasTarget;
            *c.watchFlag = 0;
            EXPECT_EQ(c.toggle(), wasTarget);
            EXPECT_EQ(*c.watchFlag, wasTarget);
            EXPECT_EQ(appWatchTimer.armed, 1);
        }
        c.app->active = 0;
    }
}

// One application per tick, the first watched in precedence order; once it is gone the timer
// stops, even though another is still watched.
TEST_F(KeyDispatcherTest, theAppWatchLooksAtOneApplicationPerTick) {
    HWND power = powerVcrWindow();
    PowerVcrApp.active = WinDvrApp.active = 1;
    watchPowerVcr = watchWinDvr = 1;
    appWatchTimer.start();
    sim::clearEvents();
    sim::advance(APP_WATCH_PERIOD_MS); // WinDVR is gone, but PowerVCR is looked at
    EXPECT_EQ(WinDvrApp.active, 1);
    EXPECT_TRUE(sameEvents(sim::events(), {}));

    sim::destroyWindow(power);
    sim::advance(APP_WATCH_PERIOD_MS);
    EXPECT_EQ(PowerVcrApp.active, 0);
    EXPECT_EQ(watchPowerVcr, 0);
    EXPECT_EQ(WinDvrApp.active, 1);
    EXPECT_EQ(watchWinDvr, 1);
    EXPECT_TRUE(sameEvents(sim::events(), {"KillTimer main id=2"}));
    sim::advance(10 * APP_WATCH_PERIOD_MS);
    EXPECT_EQ(WinDvrApp.active, 1);
}

// Nothing to watch: the whole thread, and the poll with it, stands still for two seconds.
TEST_F(KeyDispatcherTest, anAppWatchWithNothingToWatchStandsStillThenStops) {
    appWatchTimer.start();
    sim::clearEvents();
    sim::advance(APP_WATCH_PERIOD_MS);
    EXPECT_TRUE(sameEvents(sim::events(), {"Sleep 2000", "KillTimer main id=2"}));
    EXPECT_EQ(sim::tickCount(), 3000u);
    EXPECT_EQ(appWatchTimer.armed, 0);
}

} // namespace
