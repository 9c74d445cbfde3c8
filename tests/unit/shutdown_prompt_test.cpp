#include "app/shutdown_prompt.h"

#include "app/dialog_placement.h"
#include "event_log_match.h"
#include "sim_fixture.h"

#include <optional>

namespace {

class ShutdownPromptTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        prompt.emplace();
        owner = sim::createWindow({"main", "QN520 Remote Control", "QN520 Remote Control"});
    }
    // Opens the prompt and answers it with one message sent from inside its modal loop.
    INT_PTR answerWith(UINT message, WPARAM wParam) {
        sim::setDialogHook([=, this](HWND dialog, int) {
            EXPECT_TRUE(prompt->waiting());
            EXPECT_EQ(prompt->window(), dialog);
            SendMessageA(dialog, message, wParam, 0);
        });
        return prompt->ask(nullptr, owner);
    }
    bool shutDown() { return !sim::eventsStartingWith({"ExitWindowsEx"}).empty(); }
    std::optional<ShutdownPrompt> prompt;
    HWND owner = nullptr;
};

struct Answer {
    const char* name;
    UINT message;
    WPARAM wParam;
    INT_PTR endValue;
    bool shutsDown;
};

} // namespace

TEST_F(ShutdownPromptTest, Answers) {
    const Answer answers[] = {
        {"Return from the remote", WM_KEYDOWN, 13, 13, true},
        {"Escape from the remote", WM_KEYDOWN, 27, 27, false},
        {"OK clicked", WM_COMMAND, IDOK, IDOK, true},
        {"Cancel clicked or Escape typed", WM_COMMAND, IDCANCEL, IDCANCEL, false},
    };
    for (const Answer& a : answers) {
        SetUp();
        EXPECT_EQ(answerWith(a.message, a.wParam), a.endValue) << a.name;
        EXPECT_FALSE(prompt->waiting()) << a.name;
        EXPECT_EQ(shutDown(), a.shutsDown) << a.name;
        EXPECT_TRUE(sim::eventsStartingWith({"DialogBox abandoned"}).empty()) << a.name;
    }
}

TEST_F(ShutdownPromptTest, TheFlagIsClearedAndTheEndRequestedBeforeTheShutdown) {
    answerWith(WM_KEYDOWN, 13);
    const auto order = sim::eventsStartingWith({"EndDialog", "OpenProcessToken", "ExitWindowsEx"});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], "EndDialog dialog:107 result=13");
}

TEST_F(ShutdownPromptTest, OtherKeysAreLeftToTheDialog) {
    sim::setDialogHook([this](HWND dialog, int) {
        EXPECT_EQ(SendMessageA(dialog, WM_KEYDOWN, 'A', 0), FALSE);
        EXPECT_TRUE(prompt->waiting());
        SendMessageA(dialog, WM_KEYDOWN, 27, 0);
    });
    EXPECT_EQ(prompt->ask(nullptr, owner), 27);
}

TEST_F(ShutdownPromptTest, InitialisationBringsThePromptForward) {
    sim::setFullScreenSize(800, 600);
    answerWith(WM_KEYDOWN, 27);
    EXPECT_TRUE(
        sameEvents(sim::eventsStartingWith({"DialogBox", "Set"}),
                   {"DialogBox template=107 owner=main", "SetForegroundWindow dialog:107",
                    "SetActiveWindow dialog:107",
                    "SetWindowPos dialog:107 after=topmost x=280 y=250 cx=0 cy=0 flags=0x1"}));
}

TEST_F(ShutdownPromptTest, DialogPlacementByScreenWidth) {
    const struct {
        int width;
        const char* expected; // null: left where the system put it
    } cases[] = {
        {640, "x=160 y=200"},  {800, "x=280 y=250"},  {1024, "x=350 y=300"}, {1152, "x=420 y=300"},
        {1280, "x=420 y=300"}, {1600, "x=580 y=340"}, {1366, nullptr},       {1920, nullptr},
    };
    for (const auto& c : cases) {
        sim::reset();
        sim::setFullScreenSize(c.width, 700);
        HWND dialog = sim::createWindow({"dialog", "#32770", "Some dialog"});
        placeDialog(dialog);
        const auto moves = sim::eventsStartingWith({"SetWindowPos"});
        if (!c.expected) {
            EXPECT_TRUE(moves.empty()) << c.width;
            EXPECT_FALSE(sim::isTopmost(dialog)) << c.width;
        } else {
            EXPECT_TRUE(sameEvents(moves, {std::string("SetWindowPos dialog after=topmost ") +
                                           c.expected + " cx=0 cy=0 flags=0x1"}))
                << c.width;
            EXPECT_TRUE(sim::isTopmost(dialog)) << c.width;
        }
    }
}

TEST_F(ShutdownPromptTest, APromptThatCannotBeShownLeavesNothingWaiting) {
    sim::setDialogBoxFails(true);
    EXPECT_EQ(prompt->ask(nullptr, owner), -1);
    EXPECT_FALSE(prompt->waiting());
}
