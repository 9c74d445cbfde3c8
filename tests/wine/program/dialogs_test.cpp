// The About and Setting dialogs of the real program: what their templates put on the screen,
// where they are placed, and what the Setting dialog lists, preselects and saves.
#include "harness/deadline.h"
#include "program/program_checks.h"
#include "program/program_fixture.h"
#include "program/screenshot.h"
#include "program/shell_tray.h"
#include "program/standins.h"
#include "program/test_registry.h"

#include <initializer_list>
#include <utility>

namespace {

using ProgramDialogs = ProgramFixture;

constexpr const char* ABOUT_CAPTION = "QN520 Remote Control - About";
constexpr const char* SETTING_CAPTION = "QN520 Remote Control - Setting";
constexpr int NO_ID = 0xFFFF;
constexpr int APP_LIST = 11;

const std::vector<ExpectedControl> ABOUT_CONTROLS = {
    {"Static", NO_ID, iconControlText(50), SS_ICON, 10, 10, 0, 0},
    {"Static", NO_ID, "QN520 Remote Control Utility V3.0.1.0", SS_NOPREFIX, 45, 10, 150, 10},
    {"Static", NO_ID, "Copyright (C) 2026 Taviro Multimedia", 0, 45, 25, 165, 10},
    {"Button", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 197, 7, 35, 15},
};

const std::vector<ExpectedControl> SETTING_CONTROLS = {
    {"Button", IDOK, "OK", BS_DEFPUSHBUTTON, 80, 42, 40, 15},
    {"Static", NO_ID,
     "Select the application you want to launch when pressing power key on remote controller", 0,
     33, 5, 160, 16},
    {"Static", NO_ID, iconControlText(50), SS_ICON, 5, 5, 0, 0},
    // The combo box hands WS_VSCROLL on to its drop-down list (checked on its own).
    {"ComboBox", APP_LIST, "", CBS_DROPDOWNLIST | WS_TABSTOP, 45, 25, 120, 0},
};

TEST_F(ProgramDialogs, aboutFromTheMenuShowsItsTemplate) {
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(iconShownFor(run));
    HWND menu = openTrayMenu(run);
    ASSERT_NE(menu, nullptr) << "no menu";
    // Without LumenTVR the first item is a separator; Down passes over it to "Remote monitor",
    // then to "Edit remote profiles...", "Teach the remote..." and "About".
    for (int item = 0; item < 4; ++item)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);

    HWND about = waitForDialog(run.processId(), ABOUT_CAPTION);
    ASSERT_NE(about, nullptr) << "no About dialog";
    EXPECT_EQ(GetWindow(about, GW_OWNER), run.window());
    EXPECT_TRUE(hasTemplateControls(about, 250, 45, ABOUT_CONTROLS));
    EXPECT_TRUE(placedForTheScreen(about));
    EXPECT_TRUE(keepScreenshot(about, "about.png"));
    // Polling goes on while the dialog is open.
    waitForReads(3);
    ASSERT_TRUE(clickDialogButton(about, IDOK));
    EXPECT_TRUE(waitUntilClosed(about));
    EXPECT_TRUE(run.running());
    exitProgram(run);
}

void typeKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    for (const auto& key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.first;
        input.ki.dwFlags = key.second ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
    }
}

// The Setting dialog has no menu item: Alt+"?" reaches it once a click on the icon has made the
// hidden window the foreground window. Typed as real keys (the display's US layout: "/" and,
// with Shift, "?" on VK_OEM_2), so the characters come from the program's own TranslateMessage.
TEST_F(ProgramDialogs, altQuestionMarkOpensSettingAndAltSlashAboutAfterAClickOnTheIcon) {
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(iconShownFor(run));
    HWND menu = openTrayMenu(run);
    ASSERT_NE(menu, nullptr) << "no menu";
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(waitUntil([&] { return programMenus(run).empty(); }, 5000));
    ASSERT_EQ(GetForegroundWindow(), run.window());

    const struct {
        const char* caption;
        bool shift;
    } accelerators[] = {{SETTING_CAPTION, true}, {ABOUT_CAPTION, false}};
    for (const auto& a : accelerators) {
        SCOPED_TRACE(a.caption);
        if (a.shift)
            typeKeys({{VK_MENU, false},
                      {VK_SHIFT, false},
                      {VK_OEM_2, false},
                      {VK_OEM_2, true},
                      {VK_SHIFT, true},
                      {VK_MENU, true}});
        else
            typeKeys({{VK_MENU, false}, {VK_OEM_2, false}, {VK_OEM_2, true}, {VK_MENU, true}});
        HWND dialog = waitForDialog(run.processId(), a.caption);
        ASSERT_NE(dialog, nullptr) << "the accelerator opened nothing";
        EXPECT_EQ(visibleWindowsOf(run.processId(), "#32770").size(), 1u);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(waitUntilClosed(dialog));
    }
    exitProgram(run);
}

TEST_F(ProgramDialogs, settingListsTheInstalledAppsPreselectsTheDefaultAndSavesOnlyAChange) {
    enum Answer { OK_BUTTON, ESCAPE };
    struct Case {
        const char* title;
        std::vector<StandinRole> installed;
        DWORD defaultApp;
        std::vector<std::string> listed;
        int preselected;
        int chosen; // -1: keep the selection
        Answer answer;
        DWORD savedType; // REG_BINARY: untouched
        DWORD savedNumber;
    };
    const std::vector<StandinRole> ALL = {StandinRole::WinDvr, StandinRole::PowerVcr,
                                          StandinRole::Honestech};
    const std::vector<StandinRole> POWERVCR_AND_HONESTECH = {StandinRole::PowerVcr,
                                                             StandinRole::LumenTvr};
    const Case cases[] = {
        {"all installed, PowerVCR the default",
         ALL,
         2,
         {"WinDVR", "PowerVCR", "HonesTVR", "LumenTVR"},
         1,
         -1,
         OK_BUTTON,
         REG_BINARY,
         2},
        {"confirming the default writes nothing",
         POWERVCR_AND_HONESTECH,
         3,
         {"PowerVCR", "HonesTVR", "LumenTVR"},
         2,
         -1,
         OK_BUTTON,
         REG_BINARY,
         3},
        {"choosing honestech TV saves 4",
         POWERVCR_AND_HONESTECH,
         3,
         {"PowerVCR", "HonesTVR", "LumenTVR"},
         2,
         1,
         OK_BUTTON,
         REG_DWORD,
         4},
        {"Escape changes nothing",
         POWERVCR_AND_HONESTECH,
         3,
         {"PowerVCR", "HonesTVR", "LumenTVR"},
         2,
         0,
         ESCAPE,
         REG_BINARY,
         3},
        {"only WinDVR, whose number is not the default: the first entry",
         {StandinRole::WinDvr},
         3,
         {"WinDVR"},
         0,
         -1,
         OK_BUTTON,
         REG_DWORD,
         1},
        {"nothing installed: an empty list, nothing saved",
         {},
         2,
         {},
         -1,
         -1,
         OK_BUTTON,
         REG_BINARY,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        removeAllStandins();
        for (StandinRole role : c.installed) {
            InstalledStandin app(role, std::string("C:\\qn520-e2e\\") + standinApp(role).name);
            ASSERT_TRUE(app.ok());
        }
        ASSERT_TRUE(storeDefaultAppAsBinary(c.defaultApp));
        ProgramRun run;
        startProgram(run);
        PostMessageA(run.window(), WM_COMMAND, 32, 0);
        HWND setting = waitForDialog(run.processId(), SETTING_CAPTION);
        ASSERT_NE(setting, nullptr) << "no Setting dialog";
        HWND list = GetDlgItem(setting, APP_LIST);
        EXPECT_EQ(comboItems(list), c.listed);
        EXPECT_EQ(comboSelection(list), c.preselected);
        if (&c == &cases[0]) {
            EXPECT_EQ(GetWindow(setting, GW_OWNER), run.window());
            EXPECT_TRUE(hasTemplateControls(setting, 200, 60, SETTING_CONTROLS));
            EXPECT_TRUE(placedForTheScreen(setting));
            const std::vector<HWND> dropDowns = windowsOf(run.processId(), "ComboLBox");
            ASSERT_EQ(dropDowns.size(), 1u);
            EXPECT_TRUE(GetWindowLongA(dropDowns[0], GWL_STYLE) & WS_VSCROLL);
            EXPECT_TRUE(keepScreenshot(setting, "setting.png"));
        }
        if (c.chosen >= 0)
            SendMessageA(list, CB_SETCURSEL, c.chosen, 0);
        if (c.answer == OK_BUTTON)
            ASSERT_TRUE(clickDialogButton(setting, IDOK));
        else
            PostMessageA(setting, WM_COMMAND, IDCANCEL, 0); // what Escape and the close box send
        EXPECT_TRUE(waitUntilClosed(setting));
        exitProgram(run);
        const RegistryValue saved = readValue(SETTINGS_KEY_PATH, "DefaultTVAPP");
        EXPECT_EQ(saved.type, c.savedType) << (saved.type == REG_DWORD ? "written" : "untouched");
        EXPECT_EQ(saved.number, c.savedNumber);
    }
}

} // namespace
