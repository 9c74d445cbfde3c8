#include "win32/window_timer.h"

#include "event_log_match.h"
#include "sim_fixture.h"

namespace {

int ticks;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
}

class Timers : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        ticks = 0;
        owner = sim::createWindow({"main", "QN520 Remote Control", "QN520 Remote Control"});
    }
    HWND owner = nullptr;
};

} // namespace

TEST_F(Timers, StartingTwiceSetsOneSystemTimer) {
    WindowTimer timer(1, countTick);
    timer.configure(owner, 65);
    timer.start();
    timer.configure(owner, 1000); // a running timer keeps its period
    timer.start();
    EXPECT_TRUE(sameEvents(sim::events(), {"SetTimer main id=1 period=65"}));
    sim::advance(650);
    EXPECT_EQ(ticks, 10);
}

TEST_F(Timers, StopKillsOnlyAnArmedTimer) {
    WindowTimer timer(2, countTick);
    timer.configure(owner, 1000);
    timer.stop();
    EXPECT_TRUE(sim::events().empty());
    timer.start();
    timer.stop();
    timer.stop();
    EXPECT_TRUE(
        sameEvents(sim::events(), {"SetTimer main id=2 period=1000", "KillTimer main id=2"}));
    sim::advance(5000);
    EXPECT_EQ(ticks, 0);
}

TEST_F(Timers, DestructionStopsTheTimer) {
    {
        WindowTimer timer(1, countTick);
        timer.configure(owner, 65);
        timer.start();
    }
    EXPECT_TRUE(sameEvents(sim::events(), {"SetTimer main id=1 period=65", "KillTimer main id=1"}));
    EXPECT_TRUE(sim::timers().empty());
}

TEST_F(Timers, AStoppedTimerCanBeStartedAgainWithANewPeriod) {
    WindowTimer timer(2, countTick);
    timer.configure(owner, 1000);
    timer.start();
    timer.stop();
    timer.configure(owner, 500);
    timer.start();
    sim::advance(1000);
    EXPECT_EQ(ticks, 2);
    timer.stop();
}
