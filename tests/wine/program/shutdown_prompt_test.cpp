// The Shut Down prompt, opened and answered with the remote on the simulated card. Only its
// cancelling is tried: a confirmed prompt would shut the test's own Wine prefix down.
#include "harness/deadline.h"
#include "program/program_checks.h"
#include "program/program_fixture.h"
#include "program/screenshot.h"
#include "program/standins.h"
#include "unit/event_log_match.h"

namespace {

using ProgramShutdownPrompt = ProgramFixture;

constexpr const char* PROMPT_CAPTION = "QN520 Remote Control - Shut Down";
constexpr int NO_ID = 0xFFFF;

const std::vector<ExpectedControl> PROMPT_CONTROLS = {
    {"Button", IDOK, "OK", BS_DEFPUSHBUTTON, 50, 39, 40, 15},
    {"Button", IDCANCEL, "Cancel", 0, 110, 39, 40, 15},
    {"Static", NO_ID, "Press \"Power\" to shut down your computer, or any other key to cancel.", 0,
     40, 12, 145, 20},
    {"Static", NO_ID, iconControlText(110), SS_ICON, 12, 12, 0, 0},
};

TEST_F(ProgramShutdownPrompt, button21OpensItAndAnotherButtonCancelsIt) {
    ProgramRun run;
    startProgram(run);
    pressButton("21");
    HWND prompt = waitForDialog(run.processId(), PROMPT_CAPTION);
    ASSERT_NE(prompt, nullptr) << "no Shut Down prompt";
    EXPECT_EQ(GetWindow(prompt, GW_OWNER), run.window());
    EXPECT_TRUE(hasTemplateControls(prompt, 200, 60, PROMPT_CONTROLS));
    EXPECT_TRUE(placedForTheScreen(prompt));
    EXPECT_EQ(GetForegroundWindow(), prompt);
    EXPECT_TRUE(keepScreenshot(prompt, "shutdown.png"));

    // It waits for a separate press: the polls that go on inside it see no key and answer
    // nothing.
    waitForReads(5);
    EXPECT_TRUE(IsWindowVisible(prompt)) << "the prompt closed by itself";
    pressButton("1");
    EXPECT_TRUE(waitUntilClosed(prompt)) << "another button did not cancel the prompt";
    EXPECT_TRUE(run.running());
    // The cancelling press went to the prompt only; polling goes on.
    waitForReads(3);
    EXPECT_EQ(dialogOf(run.processId(), PROMPT_CAPTION), nullptr);
    exitProgram(run);
}

// Held, button 21 is read by many polls; only the first acts, so the prompt it opens is not
// answered by its own repeats.
TEST_F(ProgramShutdownPrompt, aHeldButton21OpensThePromptOnceAndItStaysOpen) {
    ProgramRun run;
    startProgram(run);
    holdButtonForReads("21", 10);
    HWND prompt = waitForDialog(run.processId(), PROMPT_CAPTION);
    ASSERT_NE(prompt, nullptr) << "no Shut Down prompt";
    waitForReads(3);
    EXPECT_TRUE(IsWindowVisible(prompt)) << "the repeats answered the prompt";
    EXPECT_EQ(visibleWindowsOf(run.processId(), "#32770").size(), 1u);
    pressButton("1");
    EXPECT_TRUE(waitUntilClosed(prompt));
    exitProgram(run);
}

TEST_F(ProgramShutdownPrompt, button21DoesNothingWhileATvApplicationRuns) {
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520-e2e\\PowerVCR");
    ASSERT_TRUE(powerVcr.ok() && powerVcr.startHere());
    ProgramRun run;
    startProgram(run);
    pressButton("21");
    waitForReads(5);
    EXPECT_EQ(dialogOf(run.processId(), PROMPT_CAPTION), nullptr);
    EXPECT_TRUE(sameEvents(powerVcr.log(), {"started powervcr"}));
    exitProgram(run);
}

} // namespace
