#include "tv_app_fixture.h"

namespace {

const std::string W = "PowerVCR";
const std::string DISABLE_CAP_DLG =
    "RegSetValueEx HKLM\\SOFTWARE\\CyberLink name=\"DisableCapDlg\" type=4 data=[01 00 00 00]";

class PowerVcrAdapterTest : public ProgramTest {};

TEST_F(PowerVcrAdapterTest, everyButtonSendsExactlyItsCommandInBothModes) {
    HWND main = powerVcrWindow();
    sim::regCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\CyberLink");
    const std::vector<MapRow> map = {
        {0, digitKey(W, 0), ctrlAlt(W, VK_F10)},
        {1, digitKey(W, 1), digitKey(W, 1)},
        {2, digitKey(W, 2), digitKey(W, 2)},
        {3, digitKey(W, 3), digitKey(W, 3)},
        {4, digitKey(W, 4), digitKey(W, 4)},
        {5, digitKey(W, 5), digitKey(W, 5)},
        {6, digitKey(W, 6), digitKey(W, 6)},
        {7, digitKey(W, 7), digitKey(W, 7)},
        {8, digitKey(W, 8), digitKey(W, 8)},
        {9, digitKey(W, 9), digitKey(W, 9)},
        {10, keyDown(W, 0x6A), ctrlAlt(W, VK_F11)},
        {11, {}, {}},
        {12, ctrl(W, 'U'), ctrl(W, 'U')},
        {13, Events{DISABLE_CAP_DLG} + keyDown(W, 'R'), Events{DISABLE_CAP_DLG} + keyDown(W, 'R')},
        {14, keyDown(W, 'S'), keyDown(W, 'S')},
        {15, keyDown(W, 'T', 0x00580001), keyDown(W, 'T', 0x00580001)},
        {16, keyDown(W, 'Q'), keyDown(W, 'Q')},
        {17, keyDown(W, 'Z'), keyDown(W, 'Z')},
        {18, {}, {}},
        {19, ctrl(W, 'M'), ctrl(W, 'M')},
        {20, {}, {}},
        {21, {}, {}},
        {22, character(W, 0x0D, 0x001C0001), character(W, 0x0D, 0x001C0001)},
        {23, ctrl(W, 'R'), ctrlAlt(W, VK_F12)},
        {24, {"ShowWindow PowerVCR cmd=6"}, {"ShowWindow PowerVCR cmd=6"}},
        {25, ctrl(W, 'S'), keyDown(W, VK_SPACE)},
        {26, keyDown(W, 'N'), keyDown(W, 'N')},
        {27, keyDown(W, 0x6B), keyDown(W, 0x6B)},
        {28, keyDown(W, VK_SPACE), ctrl(W, 'S')},
        {29, keyDown(W, 'C'), keyDown(W, 'C')},
        {30, keyDown(W, 'P'), keyDown(W, 'P')},
        {31, keyDown(W, 0x6D), keyDown(W, 0x6D)},
    };
    expectButtonMap(
        map, [&](RemoteButton b, bool japan) { powerVcr().handleButton(b, japan); },
        [&] { ShowWindow(main, SW_RESTORE); });
    EXPECT_EQ(powerVcr().lastWindowFound(), main);

    sim::destroyWindow(main);
    expectNothingSentForAnyButton(
        [&](RemoteButton b, bool japan) { powerVcr().handleButton(b, japan); });
    EXPECT_EQ(powerVcr().lastWindowFound(), nullptr);
    EXPECT_EQ(sim::regValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\CyberLink", "DisableCapDlg")->data,
              (std::vector<BYTE>{1, 0, 0, 0}));
}

TEST_F(PowerVcrAdapterTest, recordPostsRWhenTheCyberLinkKeyIsMissingOrReadOnly) {
    powerVcrWindow();
    powerVcr().handleButton(13, false);
    sim::regDenyWrite(HKEY_LOCAL_MACHINE, "SOFTWARE\\CyberLink");
    powerVcr().handleButton(13, false);
    EXPECT_TRUE(sameEvents(sim::events(), keyDown(W, 'R') + keyDown(W, 'R')));
    EXPECT_FALSE(sim::regValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\CyberLink", "DisableCapDlg"));
    EXPECT_EQ(sim::openHandleCount(), 0);
}

// The video window is the top-level window that has a direct child titled exactly
// "VideoWindow2", whichever application it belongs to.
TEST_F(PowerVcrAdapterTest, videoWindowIsFoundByItsChildsWholeTitle) {
    struct Case {
        const char* childTitle;
        bool grandchild;
        bool found;
    };
    const Case cases[] = {
        {"VideoWindow2", false, true},  {"VideoWindow2 ", false, false},
        {"videowindow2", false, false}, {"VideoWindow", false, false},
        {"VideoWindow2", true, false},
    };
    for (const Case& c : cases) {
        sim::reset();
        HWND top = sim::createWindow({"other app", "Other", "Player"});
        HWND parent = c.grandchild ? sim::createWindow({"pane", "Pane", "", top}) : top;
        sim::createWindow({"video", "Video", c.childTitle, parent});
        sim::createWindow({"above", "Above", "VideoWindow2"}); // top-level titles do not count
        EXPECT_EQ(findTopLevelWithChildTitled("VideoWindow2"), c.found ? top : nullptr)
            << c.childTitle;
    }
}

TEST_F(PowerVcrAdapterTest, minimiseTogglesTheMainAndTheVideoWindowEachByItsOwnState) {
    HWND video = sim::createWindow({"video host", "VideoHost", "Preview"});
    sim::createWindow({"video", "Video", "VideoWindow2", video});
    HWND main = sim::createWindow({"PowerVCR", "PowerVCR II Taurus", "PowerVCR II", nullptr, true});
    powerVcr().handleButton(24, false);
    EXPECT_TRUE(
        sameEvents(sim::events(), {"ShowWindow PowerVCR cmd=9", "ShowWindow video host cmd=6"}));
    EXPECT_FALSE(sim::isMinimized(main));
    EXPECT_TRUE(sim::isMinimized(video));
    EXPECT_EQ(sim::foregroundWindow(), nullptr); // neither is brought to the front
}

// When the video window is PowerVCR II's own main window, one toggle, not two that cancel out.
TEST_F(PowerVcrAdapterTest, minimiseTogglesAMainWindowThatHoldsTheVideoOnlyOnce) {
    HWND main = powerVcrWindow();
    sim::createWindow({"video", "Video", "VideoWindow2", main});
    powerVcr().handleButton(24, false);
    EXPECT_TRUE(sameEvents(sim::events(), {"ShowWindow PowerVCR cmd=6"}));
    EXPECT_TRUE(sim::isMinimized(main));
}

TEST_F(PowerVcrAdapterTest, quitTypesCtrlXAndLetsGoOfTheTargetOnlyWhenTheWindowExists) {
    powerVcr().becomeTarget();
    powerVcr().quit();
    EXPECT_TRUE(powerVcr().isTarget());
    powerVcrWindow();
    powerVcr().quit();
    EXPECT_FALSE(powerVcr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), ctrl(W, 'X')));
}

} // namespace
