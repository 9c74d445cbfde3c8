// The application commands that any program may send the main window, followed to the stand-in
// TV applications they close and start.
#include "harness/deadline.h"
#include "program/foreign_windows.h"
#include "program/program_fixture.h"
#include "program/standins.h"
#include "program/test_registry.h"
#include "unit/event_log_match.h"

namespace {

using ProgramAppCommands = ProgramFixture;

TEST_F(ProgramAppCommands, powerVcrCommandClosesTheOthersStartsItAndMakesItTheDefaultInMemory) {
    InstalledStandin winDvr(StandinRole::WinDvr, "C:\\qn520-e2e\\WinDVR");
    InstalledStandin lumenTvr(StandinRole::LumenTvr, "C:\\qn520-e2e\\TVR");
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520 e2e\\PowerVCR II");
    ASSERT_TRUE(winDvr.ok() && lumenTvr.ok() && powerVcr.ok());
    ASSERT_TRUE(winDvr.startHere() && lumenTvr.startHere());
    ASSERT_TRUE(storeDefaultAppAsBinary(3));
    ProgramRun run;
    startProgram(run);

    PostMessageA(run.window(), WM_COMMAND, 1104, 0);
    EXPECT_TRUE(winDvr.waitForLine("exit windvr"));
    EXPECT_TRUE(lumenTvr.waitForLine("exit lumentvr"));
    EXPECT_TRUE(powerVcr.waitForLine("started powervcr"));
    EXPECT_TRUE(
        sameEvents(winDvr.log(), {"started windvr", "windvr msg=0x100 wParam=0x58 lParam=0x2D0001",
                                  "exit windvr"}));
    EXPECT_TRUE(
        sameEvents(lumenTvr.log(), {"started lumentvr", "lumentvr msg=0xBD0 wParam=0x1 lParam=0x0",
                                    "exit lumentvr"}));
    EXPECT_TRUE(sameEvents(powerVcr.log(), {"started powervcr"}));

    // PowerVCR is now the default, in memory: the Setting dialog preselects it.
    PostMessageA(run.window(), WM_COMMAND, 32, 0);
    HWND setting = waitForDialog(run.processId(), "QN520 Remote Control - Setting");
    ASSERT_NE(setting, nullptr);
    HWND list = GetDlgItem(setting, 11);
    EXPECT_EQ(comboItems(list),
              (std::vector<std::string>{"WinDVR", "PowerVCR", "HonesTVR", "LumenTVR"}));
    EXPECT_EQ(comboSelection(list), 1);
    PostMessageA(setting, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntilClosed(setting));
    exitProgram(run);
    const RegistryValue saved = readValue(SETTINGS_KEY_PATH, "DefaultTVAPP");
    EXPECT_EQ(saved.type, static_cast<DWORD>(REG_BINARY)) << "the command wrote the setting";
    EXPECT_EQ(saved.number, 3u);
}

} // namespace
