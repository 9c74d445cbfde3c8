#include "app/setting_dialog.h"

#include "app/resource_ids.h"
#include "event_log_match.h"
#include "shell_fixture.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const SETTINGS_PATH = "SOFTWARE\\Taviro Multimedia\\QN52X Utilities";

// What the user saw when the dialog opened, and how it ended.
struct SettingRun {
    std::vector<std::string> items;
    int selection = -2;
    INT_PTR result = 0;
};

class SettingDialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        sim::addDialogControl(IDD_SETTING, IDC_APP_LIST, "ComboBox");
        sim::regSetDword(HKEY_LOCAL_MACHINE, SETTINGS_PATH, "DefaultTVAPP", 3);
    }

    // Opens the dialog; `user` acts on it as a person would once it shows.
    SettingRun open(const std::function<void(HWND dialog)>& user) {
        SettingRun run;
        sim::setDialogHook([&](HWND dialog, int) {
            HWND list = GetDlgItem(dialog, IDC_APP_LIST);
            run.items = sim::comboItems(list);
            run.selection = sim::comboSelection(list);
            user(dialog);
        });
        run.result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_SETTING), mainWindow,
                                     settingDialogProc, 0);
        return run;
    }

    static void choose(HWND dialog, int index) {
        SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    static void press(HWND dialog, int button) { SendMessageA(dialog, WM_COMMAND, button, 0); }
    static std::vector<std::string> registryWrites() {
        return sim::eventsStartingWith({"RegSetValueEx", "RegCreateKeyEx"});
    }
};

using Items = std::vector<std::string>;

} // namespace

TEST_F(SettingDialogTest, ListsInstalledApplicationsInOrderAndPreselectsTheDefault) {
    struct Case {
        const char* name;
        std::vector<App> installed;
        int defaultApp;
        int lastSelection; // left from an earlier confirmation in this run
        Items items;
        int selection;
        int lastSelectionAfter;
    };
    const Case cases[] = {
        {"two apps, LumenTVR default",
         {App::LumenTvr, App::PowerVcr},
         3,
         -1,
         Items{"PowerVCR", "LumenTVR"},
         1,
         1},
        {"all four, honestech default",
         {App::LumenTvr, App::Honestech, App::PowerVcr, App::WinDvr, App::WinDvd, App::WinRip},
         4,
         -1,
         Items{"WinDVR", "PowerVCR", "HonesTVR", "LumenTVR"},
         2,
         2},
        {"default names no app, first opening",
         {App::WinDvr, App::PowerVcr},
         5,
         -1,
         Items{"WinDVR", "PowerVCR"},
         0,
         0},
        {"default not installed keeps last index",
         {App::WinDvr, App::PowerVcr, App::Honestech},
         3,
         2,
         Items{"WinDVR", "PowerVCR", "HonesTVR"},
         2,
         2},
        {"last index past the end selects nothing",
         {App::WinDvr, App::PowerVcr},
         0,
         3,
         Items{"WinDVR", "PowerVCR"},
         CB_ERR,
         3},
        {"only the players installed", {App::WinDvd, App::WinRip}, 3, -1, Items{}, CB_ERR, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        install(c.installed);
        defaultApp = c.defaultApp;
        lastSettingSelection = c.lastSelection;
        const SettingRun run = open([](HWND dialog) { press(dialog, IDCANCEL); });
        EXPECT_EQ(run.items, c.items) << c.name;
        EXPECT_EQ(run.selection, c.selection) << c.name;
        EXPECT_EQ(lastSettingSelection, c.lastSelectionAfter) << c.name;
        EXPECT_EQ(run.result, IDCANCEL) << c.name;
        EXPECT_EQ(defaultApp, c.defaultApp) << c.name;
        EXPECT_TRUE(sameEvents(registryWrites(), {})) << c.name;
        TearDown();
    }
}

TEST_F(SettingDialogTest, ConfirmingAnotherEntryChangesAndSavesTheDefault) {
    install({App::WinDvr, App::PowerVcr, App::Honestech, App::LumenTvr});
    const SettingRun run = open([](HWND dialog) {
        choose(dialog, 2);
        press(dialog, IDOK);
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(defaultApp, 4);
    EXPECT_EQ(lastSettingSelection, 2);
    EXPECT_STREQ(selectedAppText, "HonesTVR");
    EXPECT_TRUE(sameEvents(registryWrites(),
                           {"RegSetValueEx HKLM\\SOFTWARE\\Taviro Multimedia\\QN52X Utilities "
                            "name=\"DefaultTVAPP\" type=4 data=[04 00 00 00]"}));
}

TEST_F(SettingDialogTest, ConfirmingEachEntryGivesItsNumber) {
    struct Case {
        int index;
        int number;
    };
    const Case cases[] = {{0, 1}, {1, 2}, {2, 4}, {3, 3}};
    for (const Case& c : cases) {
        SetUp();
        install({App::WinDvr, App::PowerVcr, App::Honestech, App::LumenTvr});
        defaultApp = 0;
        open([&](HWND dialog) {
            choose(dialog, c.index);
            press(dialog, IDOK);
        });
        EXPECT_EQ(defaultApp, c.number) << "entry " << c.index;
        EXPECT_EQ(registryWrites().size(), 1u) << "entry " << c.index;
        TearDown();
    }
}

TEST_F(SettingDialogTest, ConfirmingTheCurrentDefaultWritesNothing) {
    install({App::PowerVcr, App::LumenTvr});
    const SettingRun run = open([](HWND dialog) { press(dialog, IDOK); });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(defaultApp, 3);
    EXPECT_STREQ(selectedAppText, "LumenTVR");
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
}

TEST_F(SettingDialogTest, EscapeChangesNothingWhateverWasSelected) {
    install({App::WinDvr, App::PowerVcr, App::LumenTvr});
    const SettingRun run = open([](HWND dialog) {
        choose(dialog, 0);
        press(dialog, IDCANCEL);
    });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(defaultApp, 3);
    EXPECT_EQ(lastSettingSelection, 2);
    EXPECT_STREQ(selectedAppText, "");
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
}

// OK with nothing selected changes nothing; the next opening starts again from the first entry.
TEST_F(SettingDialogTest, ConfirmingNoSelectionChangesNothingAndResetsTheIndex) {
    install({App::WinDvr, App::PowerVcr});
    defaultApp = 5;
    lastSettingSelection = 4;
    std::strcpy(selectedAppText, "PowerVCR");
    const SettingRun first = open([](HWND dialog) { press(dialog, IDOK); });
    EXPECT_EQ(first.selection, CB_ERR);
    EXPECT_EQ(lastSettingSelection, CB_ERR);
    EXPECT_STREQ(selectedAppText, "");
    EXPECT_EQ(defaultApp, 5);
    const SettingRun second = open([](HWND dialog) { press(dialog, IDCANCEL); });
    EXPECT_EQ(second.selection, 0);
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
}

// The choice lives on in memory when the registry value cannot be written.
TEST_F(SettingDialogTest, AFailedSaveKeepsTheNewDefaultForTheRun) {
    sim::reset();
    mainWindow = sim::createWindow({"main", "QN520 Remote Control", ""});
    sim::addDialogControl(IDD_SETTING, IDC_APP_LIST, "ComboBox");
    install({App::WinDvr, App::PowerVcr});
    open([](HWND dialog) {
        choose(dialog, 1);
        press(dialog, IDOK);
    });
    EXPECT_EQ(defaultApp, 2);
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
    EXPECT_FALSE(sim::regKeyExists(HKEY_LOCAL_MACHINE, SETTINGS_PATH));
}

TEST_F(SettingDialogTest, TheListsOwnNotificationsAndOtherMessagesAreLeftAlone) {
    install({App::PowerVcr});
    open([](HWND dialog) {
        EXPECT_EQ(settingDialogProc(dialog, WM_COMMAND, MAKELONG(IDC_APP_LIST, 1), 0), FALSE);
        EXPECT_EQ(settingDialogProc(dialog, WM_COMMAND, 3, 0), FALSE);
        EXPECT_EQ(settingDialogProc(dialog, WM_KEYDOWN, VK_RETURN, 0), FALSE);
        press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(
        sameEvents(sim::eventsStartingWith({"EndDialog"}), {"EndDialog dialog:20 result=2"}));
}
