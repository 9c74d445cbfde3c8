// Every way the program ends: Exit in its menu, the Exit command, command 31 and WM_CLOSE from
// another program. Each ends it with code 0 and no icon left in the shell.
#include "harness/deadline.h"
#include "program/program_checks.h"
#include "program/program_fixture.h"
#include "program/shell_tray.h"

namespace {

using ProgramEnding = ProgramFixture;

enum class Ending { MenuExit, ExitCommand, CloseCommand, CloseMessage };

// Opens the menu from the icon and chooses its last item, "Exit", with the keyboard.
void chooseExitInTheMenu(const ProgramRun& run) {
    HWND menu = openTrayMenu(run);
    ASSERT_NE(menu, nullptr) << "no menu";
    // From no selection, Up selects the last item.
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(ProgramEnding, eachWayEndsWithCodeZeroAndNoIconLeft) {
    const struct {
        const char* title;
        Ending ending;
        int dialogCommand; // a dialog opened first (30 About, 32 Setting), or 0
        const char* dialogCaption;
    } cases[] = {
        {"Exit in the menu", Ending::MenuExit, 0, nullptr},
        {"WM_COMMAND 1201 from another program", Ending::ExitCommand, 0, nullptr},
        {"WM_COMMAND 31 from another program", Ending::CloseCommand, 0, nullptr},
        {"WM_CLOSE from another program", Ending::CloseMessage, 0, nullptr},
        {"WM_COMMAND 1201 while About is open", Ending::ExitCommand, 30,
         "QN520 Remote Control - About"},
        {"WM_CLOSE while Setting is open", Ending::CloseMessage, 32,
         "QN520 Remote Control - Setting"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ProgramRun run;
        startProgram(run);
        ASSERT_TRUE(iconShownFor(run));
        if (c.dialogCommand) {
            PostMessageA(run.window(), WM_COMMAND, c.dialogCommand, 0);
            ASSERT_NE(waitForDialog(run.processId(), c.dialogCaption), nullptr);
        }
        switch (c.ending) {
        case Ending::MenuExit:
            chooseExitInTheMenu(run);
            break;
        case Ending::ExitCommand:
            PostMessageA(run.window(), WM_COMMAND, 1201, 0);
            break;
        case Ending::CloseCommand:
            PostMessageA(run.window(), WM_COMMAND, 31, 0);
            break;
        case Ending::CloseMessage:
            PostMessageA(run.window(), WM_CLOSE, 0, 0);
            break;
        }
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(run.waitForExit(&code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(iconGoneBeforeTheWindow(run));
        EXPECT_TRUE(trayIconWindows().empty());
    }
}

} // namespace
