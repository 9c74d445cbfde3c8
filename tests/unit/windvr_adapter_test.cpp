#include "tv_app_fixture.h"

namespace {

const std::string W = "WinDVR";

class WinDvrAdapterTest : public ProgramTest {};

Events key(UINT vk, BYTE scan, bool extended = false) {
    return keyDown(W, vk,
                   static_cast<LPARAM>(0x00000001u | scan << 16 | (extended ? 1u << 24 : 0)));
}
Events command(WPARAM id) {
    return {posted(W, 0x038F, id, 0)};
}

TEST_F(WinDvrAdapterTest, everyButtonSendsExactlyItsCommandInBothModes) {
    HWND main = winDvrWindow();
    const Events shiftUp = key(VK_SHIFT, 0x2A) + key(VK_UP, 0x48, true);
    const Events shiftDown = key(VK_SHIFT, 0x2A) + key(VK_DOWN, 0x50, true);
    const std::vector<MapRow> map = {
        {0, digitKey(W, 0), digitKey(W, 0)},
        {1, digitKey(W, 1), digitKey(W, 1)},
        {2, digitKey(W, 2), digitKey(W, 2)},
        {3, digitKey(W, 3), digitKey(W, 3)},
        {4, digitKey(W, 4), digitKey(W, 4)},
        {5, digitKey(W, 5), digitKey(W, 5)},
        {6, digitKey(W, 6), digitKey(W, 6)},
        {7, digitKey(W, 7), digitKey(W, 7)},
        {8, digitKey(W, 8), digitKey(W, 8)},
        {9, digitKey(W, 9), digitKey(W, 9)},
        {10, {}, {}},
        {11, {}, {}},
        {12, key('A', 0x1E), key('A', 0x1E)},
        {13, command(23), command(23)},
        {14, command(2), command(2)},
        {15, ctrl(W, 'I'), ctrl(W, 'I')},
        {16, key('M', 0x32), key('M', 0x32)},
        {17, key('Z', 0x2C), key('Z', 0x2C)},
        {18, {}, {}},
        {19, key('U', 0x16), key('U', 0x16)},
        {20, {}, {}},
        {21, {}, {}},
        {22, command(24), command(24)},
        {23, key('L', 0x26), key('L', 0x26)},
        {24, {"ShowWindow WinDVR cmd=6"}, {"ShowWindow WinDVR cmd=6"}},
        {25, key('K', 0x25), key(VK_F10, 0x44)},
        {26, key(VK_PRIOR, 0x49, true), key(VK_PRIOR, 0x49, true)},
        {27, shiftUp, shiftUp},
        {28, key(VK_F10, 0x44), key('K', 0x25)},
        {29, key('P', 0x19), key('P', 0x19)},
        {30, key(VK_NEXT, 0x51, true), key(VK_NEXT, 0x51, true)},
        {31, shiftDown, shiftDown},
    };
    expectButtonMap(
        map, [&](RemoteButton b, bool japan) { winDvr().handleButton(b, japan); },
        [&] { ShowWindow(main, SW_RESTORE); });
    EXPECT_EQ(winDvr().lastWindowFound(), main);
    sim::destroyWindow(main);
    expectNothingSentForAnyButton(
        [&](RemoteButton b, bool japan) { winDvr().handleButton(b, japan); });
}

// Buttons go only to a window titled exactly "InterVideo WinDVR", the highest in Z order; the
// close key goes to any title that begins with it.
TEST_F(WinDvrAdapterTest, buttonsNeedTheExactTitleWhileQuitTakesAPrefix) {
    HWND longer = sim::createWindow({"WinDVR help", "Help", "InterVideo WinDVR Help"});
    winDvr().handleButton(12, false);
    EXPECT_TRUE(sameEvents(sim::events(), {}));
    winDvr().becomeTarget();
    winDvr().quit();
    EXPECT_FALSE(winDvr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {posted("WinDVR help", WM_KEYDOWN, 'X', 0x002D0001)}));

    sim::destroyWindow(longer);
    winDvrWindow("lower");
    HWND upper = winDvrWindow("upper");
    EXPECT_EQ(winDvr().findWindow(), upper);
}

TEST_F(WinDvrAdapterTest, quitLetsGoOfTheTargetEvenWhenThePostFails) {
    winDvr().becomeTarget();
    winDvr().quit();
    EXPECT_TRUE(winDvr().isTarget());
    sim::setPostFails(winDvrWindow(), true);
    winDvr().quit();
    EXPECT_FALSE(winDvr().isTarget());
}

TEST_F(WinDvrAdapterTest, minimiseRestoresAMinimisedWindow) {
    HWND main = sim::createWindow({"WinDVR", "Frame", "InterVideo WinDVR", nullptr, true});
    winDvr().handleButton(24, false);
    EXPECT_FALSE(sim::isMinimized(main));
    EXPECT_TRUE(sameEvents(sim::events(), {"ShowWindow WinDVR cmd=9"}));
}

} // namespace
