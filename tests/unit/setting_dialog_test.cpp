#include "app/setting_dialog.h"

#include "app/resource_ids.h"
#include "event_log_match.h"
#include "program_fixture.h"

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

class SettingDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
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
        run.result = shell().setting.show(nullptr, mainWindow);
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
        std::vector<AppId> installed;
        int defaultApp;
        int lastSelection; // left from an earlier confirmation in this run
        Items items;
        int selection;
        int lastSelectionAfter;
    };
    const Case cases[] = {
        {"two apps, LumenTVR default",
         {AppId::LUMENTVR, AppId::POWERVCR},
         3,
         -1,
         Items{"PowerVCR", "LumenTVR"},
         1,
         1},
        {"all four, honestech default",
         {AppId::LUMENTVR, AppId::HONESTECH, AppId::POWERVCR, AppId::WINDVR, AppId::WINDVD,
          AppId::WINRIP},
         4,
         -1,
         Items{"WinDVR", "PowerVCR", "HonesTVR", "LumenTVR"},
         2,
         2},
        {"default names no app, first opening",
         {AppId::WINDVR, AppId::POWERVCR},
         5,
         -1,
         Items{"WinDVR", "PowerVCR"},
         0,
         0},
        {"default not installed keeps last index",
         {AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH},
         3,
         2,
         Items{"WinDVR", "PowerVCR", "HonesTVR"},
         2,
         2},
        {"last index past the end selects nothing",
         {AppId::WINDVR, AppId::POWERVCR},
         0,
         3,
         Items{"WinDVR", "PowerVCR"},
         CB_ERR,
         3},
        {"only the players installed", {AppId::WINDVD, AppId::WINRIP}, 3, -1, Items{}, CB_ERR, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        for (AppId id : c.installed)
            markInstalled({id});
        settings().defaultApp = c.defaultApp;
        shell().setting.lastSelection = c.lastSelection;
        const SettingRun run = open([](HWND dialog) { press(dialog, IDCANCEL); });
        EXPECT_EQ(run.items, c.items) << c.name;
        EXPECT_EQ(run.selection, c.selection) << c.name;
        EXPECT_EQ(shell().setting.lastSelection, c.lastSelectionAfter) << c.name;
        EXPECT_EQ(run.result, IDCANCEL) << c.name;
        EXPECT_EQ(settings().defaultApp, c.defaultApp) << c.name;
        EXPECT_TRUE(sameEvents(registryWrites(), {})) << c.name;
        TearDown();
    }
}

TEST_F(SettingDialogTest, ConfirmingAnotherEntryChangesAndSavesTheDefault) {
    markInstalled({AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH, AppId::LUMENTVR});
    const SettingRun run = open([](HWND dialog) {
        choose(dialog, 2);
        press(dialog, IDOK);
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(settings().defaultApp, 4);
    EXPECT_EQ(shell().setting.lastSelection, 2);
    EXPECT_STREQ(shell().setting.selectedText, "HonesTVR");
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
        markInstalled({AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH, AppId::LUMENTVR});
        settings().defaultApp = 0;
        open([&](HWND dialog) {
            choose(dialog, c.index);
            press(dialog, IDOK);
        });
        EXPECT_EQ(settings().defaultApp, c.number) << "entry " << c.index;
        EXPECT_EQ(registryWrites().size(), 1u) << "entry " << c.index;
        TearDown();
    }
}

TEST_F(SettingDialogTest, ConfirmingTheCurrentDefaultWritesNothing) {
    markInstalled({AppId::POWERVCR, AppId::LUMENTVR});
    const SettingRun run = open([](HWND dialog) { press(dialog, IDOK); });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(settings().defaultApp, 3);
    EXPECT_STREQ(shell().setting.selectedText, "LumenTVR");
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
}

TEST_F(SettingDialogTest, EscapeChangesNothingWhateverWasSelected) {
    markInstalled({AppId::WINDVR, AppId::POWERVCR, AppId::LUMENTVR});
    const SettingRun run = open([](HWND dialog) {
        choose(dialog, 0);
        press(dialog, IDCANCEL);
    });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(settings().defaultApp, 3);
    EXPECT_EQ(shell().setting.lastSelection, 2);
    EXPECT_STREQ(shell().setting.selectedText, "");
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
}

// OK with nothing selected changes nothing; the next opening starts again from the first entry.
TEST_F(SettingDialogTest, ConfirmingNoSelectionChangesNothingAndResetsTheIndex) {
    markInstalled({AppId::WINDVR, AppId::POWERVCR});
    settings().defaultApp = 5;
    shell().setting.lastSelection = 4;
    std::strcpy(shell().setting.selectedText, "PowerVCR");
    const SettingRun first = open([](HWND dialog) { press(dialog, IDOK); });
    EXPECT_EQ(first.selection, CB_ERR);
    EXPECT_EQ(shell().setting.lastSelection, CB_ERR);
    EXPECT_STREQ(shell().setting.selectedText, "");
    EXPECT_EQ(settings().defaultApp, 5);
    const SettingRun second = open([](HWND dialog) { press(dialog, IDCANCEL); });
    EXPECT_EQ(second.selection, 0);
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
}

// The choice lives on in memory when the registry value cannot be written.
TEST_F(SettingDialogTest, AFailedSaveKeepsTheNewDefaultForTheRun) {
    start(); // no settings key at all
    sim::addDialogControl(IDD_SETTING, IDC_APP_LIST, "ComboBox");
    markInstalled({AppId::WINDVR, AppId::POWERVCR});
    open([](HWND dialog) {
        choose(dialog, 1);
        press(dialog, IDOK);
    });
    EXPECT_EQ(settings().defaultApp, 2);
    EXPECT_TRUE(sameEvents(registryWrites(), {}));
    EXPECT_FALSE(sim::regKeyExists(HKEY_LOCAL_MACHINE, SETTINGS_PATH));
}

TEST_F(SettingDialogTest, TheListsOwnNotificationsAndOtherMessagesAreLeftAlone) {
    markInstalled({AppId::POWERVCR});
    open([](HWND dialog) {
        EXPECT_EQ(SendMessageA(dialog, WM_COMMAND, MAKELONG(IDC_APP_LIST, 1), 0), FALSE);
        EXPECT_EQ(SendMessageA(dialog, WM_COMMAND, 3, 0), FALSE);
        EXPECT_EQ(SendMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0), FALSE);
        press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(
        sameEvents(sim::eventsStartingWith({"EndDialog"}), {"EndDialog dialog:20 result=2"}));
}
