#include "tv_app_fixture.h"

namespace {

class KeyDispatcherTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        install(powerVcr(), "C:\\PVCR");
        install(winDvr(), "C:\\DVR");
        install(honestech(), "C:\\TV");
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
    powerVcr().becomeTarget();
    powerVcrWindow();
    const std::pair<RemoteButton, WPARAM> answers[] = {{18, 0x0D}, {0, 0x1B},  {20, 0x1B},
                                                       {21, 0x1B}, {-1, 0x1B}, {65536, 0x1B}};
    for (const auto& [button, key] : answers) {
        sim::setDialogHook([&, button = button](HWND, int) {
            sim::clearEvents();
            dispatch(button);
        });
        shell().showShutdownPrompt();
        EXPECT_TRUE(sameEvents(
            sim::eventsStartingWith({"SetForegroundWindow", "SetActiveWindow", "SendMessage",
                                     "PostMessage", "keybd_event"}),
            toFront("dialog:107") +
                Events{"SendMessage dialog:107 msg=0x100 wParam=" + sim::hex(key) + " lParam=0x0"}))
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
        {{&powerVcr(), &lumenTvr()}, digitKey("PowerVCR", 5)},
        {{&lumenTvr(), &winDvr(), &honestech()}, digitKey("WinDVR", 5)},
        {{&honestech(), &lumenTvr()}, digitKey("honestech", 5)},
        {{&lumenTvr()}, {posted("LumenTVR", 0x0BD0, 10005, 0)}},
    };
    for (const Case& c : cases) {
        for (TvApp& record : apps())
            record.stopBeingTarget();
        for (TvApp* target : c.active)
            target->becomeTarget();
        sim::clearEvents();
        dispatch(5);
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
        {&powerVcr(), 18, QUIT_POWERVCR},
        {&powerVcr(), 20, QUIT_POWERVCR},
        {&powerVcr(), 21, {}},
        {&powerVcr(), -1, {}},
        {&winDvr(), 18, QUIT_WINDVR},
        {&winDvr(), 20, QUIT_WINDVR},
        {&winDvr(), 21, {}},
        {&winDvr(), -1, {}},
        {&honestech(), 18, QUIT_HONESTECH},
        {&honestech(), 20, QUIT_HONESTECH},
        {&honestech(), 21, {}},
        {&honestech(), -1, {}},
        {&lumenTvr(), 18, QUIT_LUMENTVR},
        {&lumenTvr(), 20, {posted("LumenTVR", 0x0BD0, 6000, 0)}},
        {&lumenTvr(), 21, {posted("LumenTVR", 0x0BD0, 5001, 0)}},
        {&lumenTvr(), -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target->description().productName) + " button " +
                     std::to_string(c.button));
        c.target->becomeTarget();
        sim::clearEvents();
        dispatch(c.button);
        EXPECT_TRUE(sameEvents(sim::events(), c.expected));
        c.target->stopBeingTarget();
    }
}

// With no target, the first application found in the order LumenTVR, PowerVCR, WinDVR,
// honestech TV becomes the target, even for a code that its map ignores.
TEST_F(KeyDispatcherTest, withNoTargetTheFirstApplicationFoundBecomesTheTarget) {
    HWND power = powerVcrWindow();
    dispatch(BUTTON_NONE);
    EXPECT_TRUE(powerVcr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {}));

    powerVcr().stopBeingTarget();
    sim::destroyWindow(power);
    winDvrWindow();
    powerVcrWindow();
    lumenTvrWindow();
    dispatch(5);
    EXPECT_TRUE(lumenTvr().isTarget());
    EXPECT_FALSE(powerVcr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {posted("LumenTVR", 0x0BD0, 10005, 0)}));
}

TEST_F(KeyDispatcherTest, withNoApplicationRunningTheDigitsMoveThePointer) {
    sim::createWindow({"other", "Notepad", "TVR notes"}); // a title is not the dispatcher's test
    dispatch(6);
    dispatch(BUTTON_NONE);
    EXPECT_TRUE(sameEvents(sim::events(), {"SetCursorPos 513,384"}));
    for (const TvApp& record : apps())
        EXPECT_FALSE(record.isTarget());
}

// Power with no target quits the other three in the order WinDVR, PowerVCR, honestech TV,
// LumenTVR, then toggles the default one, which closes it when it runs.
TEST_F(KeyDispatcherTest, powerWithNoTargetSwitchesToTheDefaultApplication) {
    allFourRunning();
    const std::pair<int, Events> cases[] = {
        {1, QUIT_POWERVCR + QUIT_HONESTECH + QUIT_LUMENTVR + QUIT_WINDVR},
        {2, QUIT_WINDVR + QUIT_HONESTECH + QUIT_LUMENTVR + QUIT_POWERVCR},
        {3, QUIT_WINDVR + QUIT_POWERVCR + QUIT_HONESTECH + QUIT_LUMENTVR},
        {4, QUIT_WINDVR + QUIT_POWERVCR + QUIT_LUMENTVR + QUIT_HONESTECH},
        {0, {}},
        {5, {}},
    };
    for (const auto& [number, expected] : cases) {
        settings().defaultApp = number;
        sim::clearEvents();
        dispatch(BUTTON_POWER);
        EXPECT_TRUE(sameEvents(sim::events(), expected)) << "default " << number;
    }
}

TEST_F(KeyDispatcherTest, powerStartsTheDefaultApplicationAndWatchesIt) {
    settings().defaultApp = 3;
    dispatch(BUTTON_POWER);
    EXPECT_TRUE(
        sameEvents(sim::events(), {R"(WinExec ""C:\TV\honestechTV.EXE"" show=5)", WATCH_STARTED}));
    EXPECT_TRUE(lumenTvr().isTarget());
    EXPECT_EQ(watch().watches(AppId::LUMENTVR), 1);
}

// The message names the problem; the switch is carried out all the same, with the default that
// holds once the message is closed.
TEST_F(KeyDispatcherTest, powerForADefaultThatIsNotInstalledSaysSoAndSwitchesAnyway) {
    install(powerVcr(), std::string(200, 'p')); // too long to be an install path
    ASSERT_FALSE(powerVcr().isInstalled());
    settings().defaultApp = 2;
    sim::setMessageBoxHook([this](const sim::ModalBox&) {
        settings().defaultApp = 1; // chosen in the Setting dialog meanwhile
        return IDOK;
    });
    dispatch(BUTTON_POWER);
    EXPECT_TRUE(sameEvents(sim::events(),
                           {"MessageBox owner=null text=\"Please re-initialize the TV application "
                            "settings.\" caption=\"QN520 Remote Control\" type=0x10000",
                            R"(WinExec ""C:\DVR\WINDVR.EXE"" show=5)", WATCH_STARTED}));

    // Button 20 asks nothing: the toggle of an application that is not installed only starts the
    // watch, which stops itself.
    settings().defaultApp = 2;
    winDvr().stopBeingTarget();
    sim::setMessageBoxHook(nullptr);
    watch().prepare(mainWindow);
    sim::clearEvents();
    dispatch(BUTTON_DEFAULT_APP);
    EXPECT_TRUE(sameEvents(sim::events(), {WATCH_STARTED}));
    EXPECT_EQ(watch().watches(AppId::POWERVCR), 0);
}

TEST_F(KeyDispatcherTest, button21OpensTheShutDownPromptOnlyWhenNoApplicationRuns) {
    HWND power = powerVcrWindow();
    dispatch(BUTTON_SHUT_DOWN);
    EXPECT_TRUE(sameEvents(sim::events(), {}));

    sim::destroyWindow(power);
    sim::setDialogHook([this](HWND, int) { dispatch(3); });
    dispatch(BUTTON_SHUT_DOWN);
    EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"DialogBox", "SendMessage", "EndDialog"}),
                           {"DialogBox template=107 owner=main",
                            "SendMessage dialog:107 msg=0x100 wParam=0x1B lParam=0x0",
                            "EndDialog dialog:107 result=27"}));
    EXPECT_FALSE(shell().shutdownPromptOpen());
}

// ---- the Power toggle and the app watch

struct ToggleCase {
    AppId app;
    HWND (*window)();
    const char* commandLine;
    Events quit;
};

const ToggleCase TOGGLES[] = {
    {AppId::POWERVCR, [] { return powerVcrWindow(); }, R"(WinExec ""C:\PVCR\PVCR.EXE"" show=5)",
     QUIT_POWERVCR},
    {AppId::WINDVR, [] { return winDvrWindow(); }, R"(WinExec ""C:\DVR\WINDVR.EXE"" show=5)",
     QUIT_WINDVR},
    {AppId::HONESTECH, [] { return honestechWindow(); },
     R"(WinExec ""C:\TV\honestechTV.EXE"" show=5)", QUIT_HONESTECH},
    {AppId::LUMENTVR, [] { return lumenTvrWindow(); },
     R"(WinExec ""C:\TV\honestechTV.EXE"" show=5)", QUIT_LUMENTVR},
};

TEST_F(KeyDispatcherTest, powerToggleStartsAndWatchesOrCloses) {
    for (const ToggleCase& c : TOGGLES) {
        SCOPED_TRACE(describe(c.app).name);
        sim::clearEvents();
        dispatcher().togglePower(c.app);
        EXPECT_TRUE(app(c.app).isTarget());
        EXPECT_TRUE(watch().watches(c.app));
        EXPECT_TRUE(sameEvents(sim::events(), {c.commandLine, WATCH_STARTED}));

        watch().prepare(mainWindow);
        c.window();
        sim::clearEvents();
        dispatcher().togglePower(c.app);
        EXPECT_FALSE(app(c.app).isTarget());
        EXPECT_TRUE(sameEvents(sim::events(), c.quit)); // the watch is not started
    }
}

TEST_F(KeyDispatcherTest, aFailedStartSetsNoWatchUnlessTheApplicationWasAlreadyTheTarget) {
    sim::setWinExecResult(2);
    sim::setMessageBoxHook([](const sim::ModalBox&) { return IDOK; });
    for (const ToggleCase& c : TOGGLES) {
        SCOPED_TRACE(describe(c.app).name);
        for (int wasTarget = 0; wasTarget < 2; ++wasTarget) {
            setTarget(app(c.app), wasTarget == 1);
            dispatcher().togglePower(c.app);
            EXPECT_EQ(watch().watches(c.app), wasTarget == 1);
            EXPECT_TRUE(watch().watchTimer().armed);
        }
        app(c.app).stopBeingTarget();
    }
}

// One application per tick, the first watched in precedence order; once it is gone the timer
// stops, even though another is still watched.
TEST_F(KeyDispatcherTest, theAppWatchLooksAtOneApplicationPerTick) {
    HWND power = powerVcrWindow();
    for (TvApp* watched : {&powerVcr(), &winDvr()}) {
        watched->becomeTarget();
        watch().lookAfter(*watched);
    }
    sim::clearEvents();
    sim::advance(APP_WATCH_PERIOD_MS); // WinDVR is gone, but PowerVCR is looked at
    EXPECT_TRUE(winDvr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {}));

    sim::destroyWindow(power);
    sim::advance(APP_WATCH_PERIOD_MS);
    EXPECT_FALSE(powerVcr().isTarget());
    EXPECT_EQ(watch().watches(AppId::POWERVCR), 0);
    EXPECT_TRUE(winDvr().isTarget());
    EXPECT_EQ(watch().watches(AppId::WINDVR), 1);
    EXPECT_TRUE(sameEvents(sim::events(), {"KillTimer main id=2"}));
    sim::advance(10 * APP_WATCH_PERIOD_MS);
    EXPECT_TRUE(winDvr().isTarget());
}

// Nothing to watch: the whole thread, and the poll with it, stands still for two seconds.
TEST_F(KeyDispatcherTest, anAppWatchWithNothingToWatchStandsStillThenStops) {
    watch().lookAfter(powerVcr()); // not the target: nothing to watch
    sim::clearEvents();
    sim::advance(APP_WATCH_PERIOD_MS);
    EXPECT_TRUE(sameEvents(sim::events(), {"Sleep 2000", "KillTimer main id=2"}));
    EXPECT_EQ(sim::tickCount(), 3000u);
    EXPECT_FALSE(watch().watchTimer().armed);
}

} // namespace
