#include "tv_app_fixture.h"

namespace {

// Raw codes of the remote (outside Japan mode) for the buttons used here.
constexpr DWORD RAW_DIGIT_0 = 2;
constexpr DWORD RAW_DIGIT_5 = 9;
constexpr DWORD RAW_DIGIT_6 = 21;
constexpr DWORD RAW_BUTTON_13 = 0;
constexpr DWORD RAW_BUTTON_21 = 29;
constexpr DWORD RAW_POWER = 30;

class PollCycleTest : public TvAppTest {
protected:
    void SetUp() override {
        TvAppTest::SetUp();
        sim::setCaptureDevice(sim::DeviceState::Present);
        pollTimer.start();
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
        PowerVcrApp.active = alreadyTarget;
        sim::pressRemoteKey(RAW_DIGIT_5);
        polls(10);
        EXPECT_TRUE(sameEvents(delivered(), digitKey("PowerVCR", 5)));
        polls(2);
        EXPECT_TRUE(sameEvents(delivered(), digitKey("PowerVCR", 5) + digitKey("PowerVCR", 5)));
        EXPECT_EQ(PowerVcrApp.active, 1);
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
    EXPECT_EQ(PowerVcrApp.active, 0);
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
        sim::setDialogHook([answer](HWND, int) {
            sim::releaseRemoteKey();
            polls(5);
            EXPECT_EQ(shutdownPromptOpen, 1);
            sim::pressRemoteKey(answer);
            polls(1);
            sim::releaseRemoteKey();
        });
        sim::pressRemoteKey(RAW_BUTTON_21);
        polls(1);
        EXPECT_TRUE(
            sameEvents(delivered(), Events{"DialogBox template=107 owner=main"} + c.expected));
        EXPECT_EQ(shutdownPromptOpen, 0);
    }
}

} // namespace
