#include "tv_app_fixture.h"

namespace {

class WinDvdWinRipTest : public ProgramTest {};

const LPARAM CLOSE_KEY = 0x002D0001;

// WinDVD's close key goes to the first child of the first window titled exactly "InterVideo
// WinDVD 4"; the search stops there even when that window has no child.
TEST_F(WinDvdWinRipTest, winDvdClosesThroughTheFirstChildOfTheExactTitle) {
    HWND other = sim::createWindow({"dvd 2", "DVD", "InterVideo WinDVD 4"});
    sim::createWindow({"dvd 2 child", "Pane", "", other});
    sim::createWindow({"longer", "DVD", "InterVideo WinDVD 4 - Disc"});
    HWND first = sim::createWindow({"dvd 1", "DVD", "InterVideo WinDVD 4"});
    winDvd().becomeTarget();
    winDvd().quit();
    EXPECT_TRUE(winDvd().isTarget());

    sim::createWindow({"older child", "Pane", "", first});
    sim::createWindow({"dvd 1 child", "Pane", "", first});
    winDvd().quit();
    EXPECT_FALSE(winDvd().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {posted("dvd 1 child", WM_KEYDOWN, 'X', CLOSE_KEY)}));
}

// Any title that contains "WinRip" is taken, also an unrelated one, within the 128-byte title.
TEST_F(WinDvdWinRipTest, winRipIsAnyTitleContainingItsName) {
    const std::string padding(130, '.');
    sim::createWindow({"late", "Other", padding + "WinRip"});
    sim::createWindow({"lower case", "Other", "winrip"});
    EXPECT_EQ(winRip().findWindow(), nullptr);
    sim::createWindow({"page", "Browser", "About InterVideo WinRip - Browser"});
    winRip().becomeTarget();
    winRip().quit();
    EXPECT_FALSE(winRip().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {posted("page", WM_KEYDOWN, 'X', CLOSE_KEY)}));
}

} // namespace
