#include "app/tray_menu.h"

#include "program_fixture.h"

#include <string>
#include <vector>

using TrayMenuTest = ProgramTest;

namespace {

// One line per item: "---" for a separator, else the text, the command and "checked".
std::vector<std::string> describeMenu(const TvApps& apps, bool profilesHavePlace = true) {
    std::vector<std::string> lines;
    const TrayMenuItems menu = trayMenuItems(apps, profilesHavePlace);
    for (int i = 0; i < menu.count; ++i) {
        const TrayMenuItem& item = menu.items[i];
        if (item.flags & MF_SEPARATOR) {
            lines.push_back("---");
            continue;
        }
        lines.push_back(std::string(item.text) + " " + std::to_string(item.command) +
                        (item.flags & MF_CHECKED ? " checked" : "") +
                        (item.flags & MF_GRAYED ? " greyed" : ""));
    }
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST_F(TrayMenuTest, MenuOffersLumenTvrOnlyWhenInstalledAndChecksItWhileItsWindowExists) {
    struct Case {
        const char* name;
        bool installed;
        std::vector<sim::NewWindow> windows;
        Lines menu;
    };
    const Case cases[] = {
        {"not installed",
         false,
         {},
         Lines{"---", "Remote monitor 33", "Edit remote profiles... 34", "Teach the remote... 35",
               "About 30", "---", "Exit 1201"}},
        {"not installed, running",
         false,
         {{"lumen", "LUMEN_TVR", "LumenTVR"}},
         Lines{"---", "Remote monitor 33", "Edit remote profiles... 34", "Teach the remote... 35",
               "About 30", "---", "Exit 1201"}},
        {"installed, closed",
         true,
         {},
         Lines{"LumenTVR 1106", "---", "Remote monitor 33", "Edit remote profiles... 34",
               "Teach the remote... 35", "About 30", "---", "Exit 1201"}},
        {"installed, running untitled",
         true,
         {{"lumen", "LUMEN_TVR", ""}},
         Lines{"LumenTVR 1106 checked", "---", "Remote monitor 33", "Edit remote profiles... 34",
               "Teach the remote... 35", "About 30", "---", "Exit 1201"}},
        {"installed, hidden window",
         true,
         {{"lumen", "Lumen_Tvr", "x", nullptr, false, false}},
         Lines{"LumenTVR 1106 checked", "---", "Remote monitor 33", "Edit remote profiles... 34",
               "Teach the remote... 35", "About 30", "---", "Exit 1201"}},
        {"installed, only a title matches",
         true,
         {{"other", "Other", "LUMEN_TVR"}},
         Lines{"LumenTVR 1106", "---", "Remote monitor 33", "Edit remote profiles... 34",
               "Teach the remote... 35", "About 30", "---", "Exit 1201"}},
    };
    for (const Case& c : cases) {
        sim::reset();
        markInstalled({AppId::LUMENTVR}, c.installed);
        for (const sim::NewWindow& wanted : c.windows)
            sim::createWindow(wanted);
        EXPECT_EQ(describeMenu(apps()), c.menu) << c.name;
    }
}

TEST_F(TrayMenuTest, AChildWindowOfLumenTvrsClassIsNotTheApplication) {
    markInstalled({AppId::LUMENTVR});
    HWND host = sim::createWindow({"host", "Host", "Host"});
    sim::createWindow({"embedded", "LUMEN_TVR", "", host});
    const Lines unchecked = {"LumenTVR 1106",
                             "---",
                             "Remote monitor 33",
                             "Edit remote profiles... 34",
                             "Teach the remote... 35",
                             "About 30",
                             "---",
                             "Exit 1201"};
    EXPECT_EQ(describeMenu(apps()), unchecked);
    sim::createWindow({"lumen", "LUMEN_TVR", ""});
    EXPECT_EQ(describeMenu(apps())[0], "LumenTVR 1106 checked");
    EXPECT_EQ(describeMenu(apps(), false)[4], "Teach the remote... 35 greyed"); // no APPDATA
}
