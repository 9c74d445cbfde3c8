// The program when the card's driver misbehaves or goes away: a request that never completes, a
// driver whose host process ended and that was started again, and a resume from sleep.
#include "harness/card_service.h"
#include "harness/deadline.h"
#include "program/foreign_windows.h"
#include "program/program_fixture.h"
#include "program/standins.h"

#include <cstdio>
#include <string>

namespace {

using ProgramRecovery = ProgramFixture;

constexpr DWORD SELECT = 0x30000001;

// Presses OK on every message box of the program until one with `caption` is open; returns that
// one, or null at the deadline.
HWND answerBoxesUntil(const ProgramRun& run, const char* caption, DWORD timeoutMs = 10000) {
    HWND wanted = nullptr;
    waitUntil(
        [&] {
            for (HWND box : visibleWindowsOf(run.processId(), "#32770")) {
                if (windowText(box) == caption) {
                    wanted = box;
                    return true;
                }
                clickDialogButton(box, IDOK);
            }
            return false;
        },
        timeoutMs);
    return wanted;
}

// A get that the driver never completes: the poll gives it up after the program's bound, cancels
// it and reports a failed read, and the program still ends on WM_CLOSE with code 0. A driver that
// honours the cancellation completes the get as cancelled; a hung one keeps it to the end.
TEST_F(ProgramRecovery, aRequestThatNeverCompletesIsGivenUpAndTheProgramStillEnds) {
    const struct {
        const char* name;
        DWORD hold;
        bool cancelled;
    } cases[] = {{"cancellable", CARD_PEND_HELD, true}, {"hung driver", CARD_PEND_STUCK, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(card().reset());
        ProgramRun run;
        startProgram(run);
        waitForReads(2);
        ASSERT_TRUE(card().fault(CARD_REQUEST_READ_GET, 0, c.hold));
        HWND box = waitForDialog(run.processId(), "FAILED REGISTER READ");
        ASSERT_NE(box, nullptr) << "the poll did not come back from the request";

        CardLogEntry get = {};
        for (const CardLogEntry& entry : card().log())
            if (entry.flags == 1 && entry.status != 0)
                get = entry;
        CardState state = {};
        ASSERT_TRUE(card().state(state));
        EXPECT_EQ(state.pendingRequests, c.cancelled ? 0u : 1u);
        EXPECT_EQ(get.status, c.cancelled ? CARD_STATUS_CANCELLED : 0x103u);
        if (c.cancelled) {
            const double heldMs = static_cast<double>(get.completed - get.time) * 1000.0 /
                                  static_cast<double>(state.frequency);
            std::printf("the get was cancelled %.0f ms after it arrived\n", heldMs);
            EXPECT_GE(heldMs, 250.0) << "given up before the bound";
        }

        ASSERT_TRUE(PostMessageA(run.window(), WM_CLOSE, 0, 0));
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(run.waitForExit(&code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
    }
}

// The driver's host process ends (as when a driver is updated or restarted after a resume) and
// the driver is started again: the program reports the lost card, and once the user has answered
// its messages it opens the new device and the remote works again, without a restart.
TEST_F(ProgramRecovery, theCardComesBackAfterItsDriverRestarted) {
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520-e2e\\PowerVCR");
    ASSERT_TRUE(powerVcr.ok() && powerVcr.startHere());
    ProgramRun run;
    startProgram(run);
    waitForReads(2);

    std::string problem;
    ASSERT_TRUE(endCardDriverHost(&problem)) << problem;
    // While the driver is away, the device cannot even be opened.
    HWND missing = answerBoxesUntil(run, "Message");
    ASSERT_NE(missing, nullptr) << "the program did not report the lost card";
    ASSERT_TRUE(ensureCardDriver(&problem)) << problem;
    ASSERT_TRUE(card().reopen());
    CardState state = {};
    ASSERT_TRUE(card().state(state));
    const DWORD opensBefore = state.opens;

    const DWORD answered = GetTickCount();
    ASSERT_TRUE(clickDialogButton(missing, IDOK));
    ASSERT_TRUE(waitUntil(
        [&] {
            for (const CardLogEntry& entry : card().log())
                if (entry.command == SELECT && entry.status == 0)
                    return true;
            return false;
        },
        5000))
        << "the program did not read the card again";
    std::printf("reading again %lu ms after the message was answered\n",
                static_cast<unsigned long>(GetTickCount() - answered));
    ASSERT_TRUE(card().state(state));
    EXPECT_EQ(state.opens - opensBefore, 1u) << "the program opened the new device once";

    pressButton("5");
    EXPECT_TRUE(powerVcr.waitForLine("powervcr msg=0x100 wParam=0x35 lParam=0x60001"));
    EXPECT_TRUE(visibleWindowsOf(run.processId(), "#32770").empty());
    exitProgram(run);
}

// A resume from sleep lets the device go; the next poll opens it again. Other power events are
// answered and change nothing.
TEST_F(ProgramRecovery, aResumeFromSleepOpensTheDeviceAgain) {
    const struct {
        WPARAM event;
        DWORD newOpens;
    } cases[] = {{PBT_APMQUERYSUSPEND, 0}, {PBT_APMRESUMEAUTOMATIC, 1}, {PBT_APMRESUMESUSPEND, 1}};
    ProgramRun run;
    startProgram(run);
    waitForReads(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        CardState before = {};
        ASSERT_TRUE(card().state(before));
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutA(run.window(), WM_POWERBROADCAST, c.event, 0,
                                        SMTO_ABORTIFHUNG, 5000, &answer));
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
        waitForReads(3);
        CardState after = {};
        ASSERT_TRUE(card().state(after));
        EXPECT_EQ(after.opens - before.opens, c.newOpens);
    }
    exitProgram(run);
}

} // namespace
