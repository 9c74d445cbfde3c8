#include "tv_app_fixture.h"

namespace {

const std::string W = "honestech";

class HonestechAdapterTest : public ProgramTest {};

TEST_F(HonestechAdapterTest, everyButtonPostsExactlyItsKeyInBothModes) {
    HWND main = honestechWindow();
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
        {10, keyDown(W, 0x6A), keyDown(W, 0x6A)},
        {11, {}, {}},
        {12, keyDown(W, 'N'), keyDown(W, 'N')},
        {13, keyDown(W, 'R'), keyDown(W, 'R')},
        {14, keyDown(W, 'S'), keyDown(W, 'S')},
        {15, keyDown(W, 'I'), keyDown(W, 'I')},
        {16, keyDown(W, 'U'), keyDown(W, 'U')},
        {17, keyDown(W, 'W'), keyDown(W, 'W')},
        {18, {}, {}},
        {19, keyDown(W, 'M'), keyDown(W, 'M')},
        {20, {}, {}},
        {21, {}, {}},
        {22, keyDown(W, 0x0D), keyDown(W, 0x0D)},
        {23, keyDown(W, 'L'), keyDown(W, 'L')},
        {24, keyDown(W, 'Z'), keyDown(W, 'Z')},
        {25, keyDown(W, 'F'), keyDown(W, 0x20)},
        {26, keyDown(W, 0x26), keyDown(W, 0x26)},
        {27, keyDown(W, 0x27), keyDown(W, 0x27)},
        {28, keyDown(W, 0x20), keyDown(W, 'F')},
        {29, keyDown(W, 'C'), keyDown(W, 'C')},
        {30, keyDown(W, 0x28), keyDown(W, 0x28)},
        {31, keyDown(W, 0x25), keyDown(W, 0x25)},
    };
    expectButtonMap(
        map, [&](RemoteButton b, bool japan) { honestech().handleButton(b, japan); }, [] {});
    EXPECT_EQ(honestech().lastWindowFound(), main);
    sim::destroyWindow(main);
    expectNothingSentForAnyButton(
        [&](RemoteButton b, bool japan) { honestech().handleButton(b, japan); });
}

TEST_F(HonestechAdapterTest, quitPostsOAndLetsGoOfTheTargetAtOnce) {
    honestech().becomeTarget();
    honestech().quit();
    EXPECT_TRUE(honestech().isTarget());
    HWND main = honestechWindow();
    sim::setPostFails(main, true);
    honestech().quit();
    EXPECT_FALSE(honestech().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), keyDown(W, 'O')));
}

} // namespace
