// The icon's popup menu: its items with and without LumenTVR installed, the check mark that
// follows LumenTVR's window, and menus that never pile up over repeated clicks.
#include "harness/deadline.h"
#include "program/program_checks.h"
#include "program/program_fixture.h"
#include "program/screenshot.h"
#include "program/shell_tray.h"
#include "program/standins.h"
#include "unit/event_log_match.h"

namespace {

using ProgramMenu = ProgramFixture;

// The probe's item lines: id, state (MF_CHECKED 0x8, MF_SEPARATOR 0x800) and text. A separator
// is also grayed and disabled (0x3): the menu gives every separator that state.
const std::string SEPARATOR = "item id=0 state=0x803 text=";
const std::vector<std::string> COMMON_ITEMS = {SEPARATOR,
                                               "item id=33 state=0x0 text=Remote monitor",
                                               "item id=34 state=0x0 text=Edit remote profiles...",
                                               "item id=35 state=0x0 text=Teach the remote...",
                                               "item id=30 state=0x0 text=About",
                                               SEPARATOR,
                                               "item id=1201 state=0x0 text=Exit"};

std::vector<std::string> withLumenTvr(bool checked) {
    std::vector<std::string> items = {checked ? "item id=1106 state=0x8 text=LumenTVR"
                                              : "item id=1106 state=0x0 text=LumenTVR"};
    items.insert(items.end(), COMMON_ITEMS.begin(), COMMON_ITEMS.end());
    return items;
}

// A window of LumenTVR's class, made by the test: all the menu looks for.
class LumenTvrWindow {
public:
    LumenTvrWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "LUMEN_TVR";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "LUMEN_TVR", "FormMainWindow", WS_OVERLAPPEDWINDOW, 0, 0, 10,
                                 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~LumenTvrWindow() { DestroyWindow(window); }
    LumenTvrWindow(const LumenTvrWindow&) = delete;
    LumenTvrWindow& operator=(const LumenTvrWindow&) = delete;
    HWND window;
};

class MenuClicks {
public:
    explicit MenuClicks(const ProgramRun& run) : run(run) {}

    // Clicks the icon and waits for the menu; returns the probe's record of it.
    std::vector<std::string> open(UINT button = WM_RBUTTONDOWN) {
        const size_t before = run.probeLines("menu").size();
        EXPECT_TRUE(clickOnlyTrayIcon(button));
        const bool shown = waitUntil(
            [&] { return run.probeLines("menu").size() > before && programMenus(run).size() == 1; },
            5000);
        EXPECT_TRUE(shown) << "menus shown: " << programMenus(run).size();
        return lastMenuSeen(run);
    }
    // Closes the open menu with Escape, as a user may.
    void close() {
        const std::vector<HWND> menus = programMenus(run);
        ASSERT_EQ(menus.size(), 1u);
        PostMessageA(menus[0], WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(waitUntil([&] { return programMenus(run).empty(); }, 5000));
    }

private:
    const ProgramRun& run;
};

// "menu handle=... earlier-alive=N" with the handle left out.
std::string earlierMenusAlive(const std::vector<std::string>& menu) {
    return menu.empty() ? "(no menu)" : menu[0].substr(menu[0].find("earlier-alive="));
}

std::vector<std::string> items(const std::vector<std::string>& menu) {
    return menu.empty() ? menu : std::vector<std::string>(menu.begin() + 1, menu.end());
}

TEST_F(ProgramMenu, withoutLumenTvrTheMenuBeginsWithASeparator) {
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(iconShownFor(run));
    MenuClicks clicks(run);
    for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        const std::vector<std::string> menu = clicks.open(button);
        EXPECT_TRUE(sameEvents(items(menu), COMMON_ITEMS));
        if (button == WM_RBUTTONDOWN) {
            EXPECT_TRUE(keepScreenshot(programMenus(run)[0], "menu.png"));
        }
        clicks.close();
    }
    exitProgram(run);
}

TEST_F(ProgramMenu, lumenTvrCarriesTheCheckMarkWhileItsWindowExistsAndMenusNeverPileUp) {
    InstalledStandin lumenTvr(StandinRole::LumenTvr, "C:\\qn520-e2e\\LumenTVR");
    ASSERT_TRUE(lumenTvr.ok());
    ProgramRun run;
    startProgram(run);
    ASSERT_TRUE(iconShownFor(run));
    MenuClicks clicks(run);

    std::vector<std::string> menu = clicks.open();
    EXPECT_TRUE(sameEvents(items(menu), withLumenTvr(false)));
    clicks.close();
    {
        LumenTvrWindow window;
        ASSERT_NE(window.window, nullptr);
        menu = clicks.open();
        EXPECT_TRUE(sameEvents(items(menu), withLumenTvr(true)));
        EXPECT_EQ(earlierMenusAlive(menu), "earlier-alive=0") << "the earlier menu was kept";
        EXPECT_TRUE(keepScreenshot(programMenus(run)[0], "menu-lumentvr-checked.png"));
        clicks.close();
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(::testing::Message() << "click " << i + 3);
        menu = clicks.open(i % 2 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
        EXPECT_TRUE(sameEvents(items(menu), withLumenTvr(false)));
        EXPECT_EQ(earlierMenusAlive(menu), "earlier-alive=0");
        clicks.close();
    }
    // Clicks while a menu is open: each replaces it (the shell passes the click on even though
    // the menu holds the mouse), and still only one menu exists.
    clicks.open();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(::testing::Message() << "click on an open menu " << i + 1);
        menu = clicks.open();
        EXPECT_TRUE(sameEvents(items(menu), withLumenTvr(false)));
        EXPECT_EQ(earlierMenusAlive(menu), "earlier-alive=0");
    }
    clicks.close();
    // And the program still answers its icon.
    menu = clicks.open();
    EXPECT_EQ(earlierMenusAlive(menu), "earlier-alive=0");
    clicks.close();
    exitProgram(run);
}

} // namespace
