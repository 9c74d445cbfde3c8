#include "tv_app_fixture.h"

#include "app/main_window.h"

namespace {

// Raw codes of the remote (outside Japan mode) for the buttons used here.
constexpr DWORD RAW_DIGIT_0 = 2;
constexpr DWORD RAW_DIGIT_5 = 9;
constexpr DWORD RAW_DIGIT_6 = 21;
constexpr DWORD RAW_BUTTON_13 = 0;
constexpr DWORD RAW_BUTTON_21 = 29;
constexpr DWORD RAW_POWER = 30;

class PollCycleTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        sim::setCaptureDevice(sim::DeviceState::Present);
        shell().pollTimer.start();
    }
    static void polls(int count) { sim::advance(count * POLL_PERIOD_MS); }
    // What reached other programs, the screen or the prompt.
    static Events delivered() {
        return sim::eventsStartingWith({"PostMessage", "keybd_event", "mouse_event", "SetCursorPos",
                                        "DialogBox", "SendMessage", "EndDialog", "ExitWindowsEx"});
    }
};

// The first press can itself make PowerVCR the target; either way the held button is delivered on
// the first poll and at the tenth repeat, and the polls between are held back.
TEST_F(PollCycleTest, aHeldButtonReachesTheTargetOnTheFirstAndTheEleventhPoll) {
    for (int alreadyTarget = 0; alreadyTarget < 2; ++alreadyTarget) {
        SetUp();
        powerVcrWindow();
        setTarget(powerVcr(), alreadyTarget == 1);
        sim::pressRemoteKey(RAW_DIGIT_5);
        polls(10);
        EXPECT_TRUE(sameEvents(delivered(), digitKey("PowerVCR", 5)));
        polls(2);
        EXPECT_TRUE(sameEvents(delivered(), digitKey("PowerVCR", 5) + digitKey("PowerVCR", 5)));
        EXPECT_TRUE(powerVcr().isTarget());
    }
}

// With no application every poll moves the pointer; a fresh press starts the acceleration again.
TEST_F(PollCycleTest, aFreshPressRestartsTheMouseAcceleration) {
    sim::pressRemoteKey(RAW_DIGIT_6);
    polls(6);
    sim::releaseRemoteKey();
    polls(5); // 325 ms: the next sighting is a new press
    sim::pressRemoteKey(RAW_DIGIT_6);
    polls(1);
    EXPECT_TRUE(sameEvents(delivered(),
                           {"SetCursorPos 513,384", "SetCursorPos 514,384", "SetCursorPos 515,384",
                            "SetCursorPos 516,384", "SetCursorPos 522,384", "SetCursorPos 528,384",
                            "SetCursorPos 529,384"}));
}

// A failed read yields 0, which as a key would be button 13 (PowerVCR's record key): it is never
// dispatched, and the next good read is.
TEST_F(PollCycleTest, aFailedReadIsNeverDispatched) {
    powerVcrWindow();
    sim::pressRemoteKey(RAW_BUTTON_13);
    sim::injectDeviceFault(sim::RequestKind::ReadGet, sim::DeviceFault{});
    polls(1);
    EXPECT_TRUE(sameEvents(delivered(), {}));
    EXPECT_FALSE(powerVcr().isTarget());
    EXPECT_FALSE(sim::eventsStartingWith({"MessageBox"}).empty()); // the read's own failure report
    sim::releaseRemoteKey();
    polls(5);
    sim::pressRemoteKey(RAW_BUTTON_13);
    polls(1);
    EXPECT_TRUE(sameEvents(delivered(), keyDown("PowerVCR", 'R')));
}

// Button 21 opens the prompt from a poll; the polls inside its modal loop answer it with a later,
// separate press: Power shuts the computer down, any other button cancels, nothing else is sent.
TEST_F(PollCycleTest, theShutDownPromptIsAnsweredByTheNestedPolls) {
    struct Case {
        DWORD answer;
        Events expected;
    };
    const Case cases[] = {
        {RAW_POWER,
         {"SendMessage dialog:107 msg=0x100 wParam=0xD lParam=0x0",
          "EndDialog dialog:107 result=13", "ExitWindowsEx flags=0xC reason=0x0"}},
        {RAW_DIGIT_0,
         {"SendMessage dialog:107 msg=0x100 wParam=0x1B lParam=0x0",
          "EndDialog dialog:107 result=27"}},
    };
    for (const Case& c : cases) {
        SetUp();
        DWORD answer = c.answer;
        sim::setDialogHook([this, answer](HWND, int) {
            sim::releaseRemoteKey();
            polls(5);
            EXPECT_TRUE(shell().shutdownPromptOpen());
            sim::pressRemoteKey(answer);
            polls(1);
            sim::releaseRemoteKey();
        });
        sim::pressRemoteKey(RAW_BUTTON_21);
        polls(1);
        EXPECT_TRUE(
            sameEvents(delivered(), Events{"DialogBox template=107 owner=main"} + c.expected));
        EXPECT_FALSE(shell().shutdownPromptOpen());
    }
}

// A real remote keeps a button's code in the register for two or three polls even on a short
// press. Power closes the running target once and nothing starts it again, however long it is
// held; the window goes away as the application closes.
TEST_F(PollCycleTest, powerHeldClosesTheTargetOnceAndStartsNothing) {
    for (int heldPolls : {1, 2, 3, 15}) {
        SetUp();
        install(powerVcr(), "C:\\PowerVCR");
        settings().defaultApp = 2;
        HWND window = powerVcrWindow();
        powerVcr().becomeTarget();
        sim::pressRemoteKey(RAW_POWER);
        for (int poll = 0; poll < heldPolls; ++poll) {
            polls(1);
            if (window && !sim::eventsStartingWith({"keybd_event"}).empty()) {
                sim::destroyWindow(window);
                window = nullptr;
            }
        }
        sim::releaseRemoteKey();
        polls(10);
        SCOPED_TRACE("held for " + std::to_string(heldPolls) + " polls");
        EXPECT_TRUE(
            sameEvents(sim::eventsStartingWith({"PostMessage", "keybd_event", "SetForegroundWindow",
                                                "SetActiveWindow", "SetTimer main id=2", "WinExec",
                                                "DialogBox", "MessageBox"}),
                       ctrl("PowerVCR", 'X')));
        EXPECT_FALSE(powerVcr().isTarget());
    }
}

// With no target, a held Power starts the default application once, even when its window appears
// at once, where a repeat would find it and close it again.
TEST_F(PollCycleTest, powerHeldWithNoTargetStartsTheDefaultApplicationOnce) {
    install(powerVcr(), "C:\\PowerVCR");
    settings().defaultApp = 2;
    sim::showWindowOnExec("PVCR.EXE", {"PowerVCR", "PowerVCR II Taurus", "PowerVCR II"});
    sim::pressRemoteKey(RAW_POWER);
    polls(15);
    EXPECT_EQ(sim::eventsStartingWith({"WinExec"}),
              Events{R"(WinExec ""C:\PowerVCR\PVCR.EXE"" show=5)"});
    EXPECT_TRUE(sim::eventsStartingWith({"keybd_event"}).empty()) << "nothing closed it again";
    EXPECT_TRUE(powerVcr().isTarget());
}

// Starting the application keeps the thread busy until it is ready (400 ms here), and no poll
// runs meanwhile. A Power still held afterwards is the same press: it does not close what it has
// just started. A separate press after the launch does.
TEST_F(PollCycleTest, aHeldPowerOutlastingTheLaunchStillStartsTheApplicationOnce) {
    install(powerVcr(), "C:\\PowerVCR");
    settings().defaultApp = 2;
    sim::showWindowOnExec("PVCR.EXE", {"PowerVCR", "PowerVCR II Taurus", "PowerVCR II"});
    sim::setWinExecWait(400);
    sim::pressRemoteKey(RAW_POWER);
    polls(15);
    EXPECT_EQ(sim::eventsStartingWith({"WinExec"}).size(), 1u);
    EXPECT_TRUE(sim::eventsStartingWith({"keybd_event"}).empty()) << "the hold closed it again";
    EXPECT_TRUE(powerVcr().isTarget());

    sim::releaseRemoteKey();
    polls(5);
    sim::pressRemoteKey(RAW_POWER);
    polls(1);
    sim::releaseRemoteKey();
    polls(1);
    Events closing; // Ctrl+X as typed, without the bringing to the front
    for (const std::string& event : ctrl("PowerVCR", 'X'))
        if (event.compare(0, 11, "keybd_event") == 0)
            closing.push_back(event);
    EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"keybd_event"}), closing));
}

// Button 21 held for three polls opens the prompt; the repeats seen by the polls inside its modal
// loop do not cancel it, even when the prompt takes a while to show (under Wine about 170 ms, in
// which no poll runs). Only a later, separate press answers it.
TEST_F(PollCycleTest, button21HeldOpensThePromptWhichWaitsForASeparatePress) {
    for (const DWORD showingMs : {0u, 400u}) {
        SCOPED_TRACE("showing takes " + std::to_string(showingMs) + " ms");
        SetUp();
        sim::setDialogHook([this, showingMs](HWND, int) {
            static bool open = false;
            if (open) {
                ADD_FAILURE() << "a second prompt opened inside the first";
                return;
            }
            open = true;
            sim::setTickCount(sim::tickCount() + showingMs);
            polls(2); // the rest of the hold
            EXPECT_TRUE(sim::eventsStartingWith({"SendMessage"}).empty());
            EXPECT_TRUE(shell().shutdownPromptOpen());
            sim::releaseRemoteKey();
            polls(5);
            sim::pressRemoteKey(RAW_DIGIT_0);
            polls(1);
            sim::releaseRemoteKey();
            open = false;
        });
        sim::pressRemoteKey(RAW_BUTTON_21);
        polls(1);
        EXPECT_TRUE(
            sameEvents(delivered(), {"DialogBox template=107 owner=main",
                                     "SendMessage dialog:107 msg=0x100 wParam=0x1B lParam=0x0",
                                     "EndDialog dialog:107 result=27"}));
    }
}

// After a resume from sleep a key seen before it is no held key: seen again at once, it is a new
// press and reaches the target, where a repeat would be held back. The device is opened afresh.
TEST_F(PollCycleTest, aKeyFromBeforeASleepIsANewPressAfterTheResume) {
    powerVcrWindow();
    powerVcr().becomeTarget();
    sim::pressRemoteKey(RAW_DIGIT_5);
    polls(1);
    EXPECT_EQ(mainWindowProc(mainWindow, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), TRUE);
    polls(1);
    EXPECT_TRUE(sameEvents(delivered(), digitKey("PowerVCR", 5) + digitKey("PowerVCR", 5)));
    EXPECT_EQ(sim::deviceEnumerations(), 2);
}

// While a message about the TV applications is open, the polls in its modal loop go on: presses
// that would raise another message raise none, a read that fails reports nothing, and other
// buttons act as usual. Once it is closed, the next such press raises it again.
TEST_F(PollCycleTest, theRemoteNeverRaisesASecondMessageOverTheFirst) {
    struct Case {
        int defaultApp;
        bool installed; // installed, but its program cannot be run
        std::string text;
    };
    const Case cases[] = {
        {1, false, "Please re-initialize the TV application settings."},
        {2, true, "Can't run CyberLink PowerVCR II."},
    };
    auto press = [](DWORD raw) {
        sim::pressRemoteKey(raw);
        polls(1);
        sim::releaseRemoteKey();
        polls(5);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetUp();
        settings().defaultApp = c.defaultApp;
        if (c.installed) {
            install(powerVcr(), "C:\\Gone");
            sim::setWinExecResult(2); // ERROR_FILE_NOT_FOUND
        }
        sim::setMessageBoxHook([&](const sim::ModalBox&) {
            sim::injectDeviceFault(sim::RequestKind::Select, sim::failure(ERROR_GEN_FAILURE));
            for (int i = 0; i < 5; ++i)
                press(RAW_POWER);
            press(RAW_DIGIT_6);
            return IDOK;
        });
        press(RAW_POWER);
        EXPECT_EQ(sim::eventsStartingWith({"MessageBox"}).size(), 1u);
        EXPECT_EQ(sim::eventsStartingWith({"SetCursorPos"}), Events{"SetCursorPos 513,384"});
        sim::setMessageBoxHook(nullptr);
        press(RAW_POWER);
        const std::string box =
            "MessageBox owner=null text=\"" + c.text + "\" caption=\"QN520 Remote Control\"";
        for (const std::string& shown : sim::eventsStartingWith({"MessageBox"}))
            EXPECT_EQ(shown.compare(0, box.size(), box), 0) << shown;
        EXPECT_EQ(sim::eventsStartingWith({"MessageBox"}).size(), 2u);
    }
}

// A profile's key types at the press, again 500 ms later, then at every second poll (130 ms) until
// the button is let go; a press seen by two or three polls types once.
TEST_F(PollCycleTest, aHeldButtonTypesItsProfileKeyAtThePressThenRepeatsIt) {
    const std::pair<int, size_t> rows[] = {{1, 1},  {3, 1},  {8, 1}, {9, 2},
                                           {10, 2}, {11, 3}, {15, 5}};
    for (const auto& [heldPolls, typed] : rows) {
        SetUp();
        sim::setEnvironmentVariable("APPDATA", "C:\\AppData");
        sim::setFile("C:\\AppData\\QN520 Remote Control\\profiles.ini",
                     "[Player]\nClass = PlayerFrame\nButton6 = Right\n");
        SetForegroundWindow(sim::createWindow({"player", "PlayerFrame", "Movie"}));
        sim::pressRemoteKey(RAW_DIGIT_6);
        polls(heldPolls);
        sim::releaseRemoteKey();
        polls(5);
        EXPECT_EQ(sim::eventsStartingWith({"SendInput"}).size(), typed) << heldPolls << " polls";
        EXPECT_TRUE(sim::eventsStartingWith({"SetCursorPos"}).empty());
    }
}

} // namespace

namespace {

// A press that finds a newly saved profiles file with a problem is carried out in its poll: the
// left click lands where the pointer is, and the box comes after it.
TEST_F(PollCycleTest, aPressIsCarriedOutBeforeTheBoxAboutTheProfiles) {
    sim::setEnvironmentVariable("APPDATA", "C:\\AppData");
    sim::setFile("C:\\AppData\\QN520 Remote Control\\profiles.ini", "[P]\nButton0 = Space\n");
    sim::pressRemoteKey(RAW_DIGIT_0);
    polls(1);
    const Events seen = sim::eventsStartingWith({"mouse_event", "MessageBox"});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "mouse_event flags=0x2 dx=512 dy=384 data=0 extra=0x0");
    EXPECT_EQ(seen[1], "mouse_event flags=0x4 dx=512 dy=384 data=0 extra=0x0");
    EXPECT_EQ(seen[2].rfind("MessageBox owner=null text=\"The remote profiles in", 0), 0u);
}

// While another of the remote's boxes is open, the card's own boxes cannot show: a card whose
// reads fail is searched for (three passes over the devices, one per accepted name) once a second,
// and the reads between fail at once. Once the box has closed, the next read searches afresh and
// shows the card's box.
TEST_F(PollCycleTest, aLostCardIsSearchedForOnceASecondWhileAnotherBoxIsOpen) {
    settings().defaultApp = 1; // WinDVR, not installed: Power asks for the settings
    int searches = -1;
    sim::setMessageBoxHook([&](const sim::ModalBox& box) {
        if (box.depth == 1) {
            sim::setCaptureDevice(sim::DeviceState::Absent);
            const int before = sim::deviceEnumerations();
            polls(77); // five seconds
            searches = (sim::deviceEnumerations() - before) / 3;
        }
        return IDOK;
    });
    sim::pressRemoteKey(RAW_POWER);
    polls(1);
    EXPECT_EQ(searches,
              4); // the first read fails on the dead handle; a second later, the first search
    EXPECT_EQ(presses().failedReads, 77u);
    sim::setMessageBoxHook(nullptr);
    const int before = sim::deviceEnumerations();
    polls(1);
    EXPECT_EQ(sim::deviceEnumerations() - before, 3);
    EXPECT_EQ(sim::eventsStartingWith({"MessageBox"}).back(),
              "MessageBox owner=null text=\"Unable to find Cx23880 Video Capture\" "
              "caption=\"Message\" type=0x0");
}

} // namespace
