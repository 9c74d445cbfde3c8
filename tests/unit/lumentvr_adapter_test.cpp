#include "tv_app_fixture.h"

namespace {

const std::string W = "LumenTVR";

class LumenTvrAdapterTest : public ProgramTest {};

Events id(WPARAM command) {
    return {posted(W, 0x0BD0, command, 0)};
}

TEST_F(LumenTvrAdapterTest, everyButtonPostsExactlyItsCommandIdInBothModes) {
    HWND main = lumenTvrWindow();
    const std::vector<MapRow> map = {
        {0, id(10000), id(10010)},
        {1, id(10001), id(10001)},
        {2, id(10002), id(10002)},
        {3, id(10003), id(10003)},
        {4, id(10004), id(10004)},
        {5, id(10005), id(10005)},
        {6, id(10006), id(10006)},
        {7, id(10007), id(10007)},
        {8, id(10008), id(10008)},
        {9, id(10009), id(10009)},
        {10, id(10100), id(10011)},
        {11, id(206), id(206)},
        {12, id(4004), id(4004)},
        {13, id(1001), id(1001)},
        {14, id(1002), id(1002)},
        {15, id(200), id(200)},
        {16, id(403), id(403)},
        {17, id(3), id(3)},
        {18, {}, {}},
        {19, id(300), id(300)},
        {20, id(6000), id(6000)},
        {21, id(5001), id(5001)},
        {22, id(3001), id(3001)},
        {23, id(4003), id(10012)},
        {24, id(5), id(5)},
        {25, id(8), id(1003)},
        {26, id(4001), id(4001)},
        {27, id(401), id(401)},
        {28, id(1003), id(8)},
        {29, id(1000), id(1000)},
        {30, id(4002), id(4002)},
        {31, id(402), id(402)},
        {256, id(5002), id(5002)},
        {512, id(5003), id(5003)},
    };
    expectButtonMap(
        map, [&](RemoteButton b, bool japan) { lumenTvr().handleButton(b, japan); }, [] {});
    EXPECT_EQ(lumenTvr().lastWindowFound(), main);
    sim::destroyWindow(main);
    expectNothingSentForAnyButton(
        [&](RemoteButton b, bool japan) { lumenTvr().handleButton(b, japan); });
}

// Only the class counts: any title, the empty one too; the first in Z order.
TEST_F(LumenTvrAdapterTest, anyWindowOfTheClassIsFoundWhateverItsTitle) {
    sim::createWindow({"lower", "LUMEN_TVR", "FormMainWindow"});
    sim::createWindow({"untitled", "LUMEN_TVR", ""});
    lumenTvr().handleButton(BUTTON_DEFAULT_APP, false);
    EXPECT_TRUE(sameEvents(sim::events(), {posted("untitled", 0x0BD0, 6000, 0)}));
}

TEST_F(LumenTvrAdapterTest, quitPostsCommandOneAndLetsGoOfTheTargetEvenWhenThePostFails) {
    lumenTvr().becomeTarget();
    lumenTvr().quit();
    EXPECT_TRUE(lumenTvr().isTarget());
    sim::setPostFails(lumenTvrWindow(), true);
    lumenTvr().quit();
    EXPECT_FALSE(lumenTvr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), id(1)));
}

} // namespace
