#include "tv_app_fixture.h"

namespace {

class MouseEmulatorTest : public ProgramTest {};

std::string movedTo(int x, int y) {
    return "SetCursorPos " + std::to_string(x) + "," + std::to_string(y);
}

// On a display 1024 pixels wide: four 1-pixel moves, five of 6 pixels, then 12 pixels.
TEST_F(MouseEmulatorTest, aHeldDirectionAcceleratesUntilTheNextFreshPress) {
    sim::setCursor(100, 200);
    for (int i = 0; i < 12; ++i)
        mouse().handleButton(6);
    mouse().resetAcceleration();
    mouse().handleButton(2);
    EXPECT_TRUE(sameEvents(sim::events(), {movedTo(101, 200), movedTo(102, 200), movedTo(103, 200),
                                           movedTo(104, 200), movedTo(110, 200), movedTo(116, 200),
                                           movedTo(122, 200), movedTo(128, 200), movedTo(134, 200),
                                           movedTo(146, 200), movedTo(158, 200), movedTo(170, 200),
                                           movedTo(170, 199)}));
}

// The bounds are exclusive, and a move that would reach or cross one is refused whole, which
// starts the acceleration again.
TEST_F(MouseEmulatorTest, aMoveOntoOrPastABoundIsRefusedWhole) {
    struct Case {
        POINT from;
        RemoteButton button;
        int movesBefore;
        Events expected;
    };
    const Case cases[] = {
        {{2, 100}, 4, 0, {movedTo(1, 100)}},
        {{1, 100}, 4, 0, {}},
        {{1021, 100}, 6, 0, {movedTo(1022, 100)}},
        {{1022, 100}, 6, 0, {}},
        {{100, 1}, 2, 0, {}},
        {{100, 766}, 8, 0, {}},
        {{500, 1}, 3, 0, {}},  // only y leaves the area
        {{1022, 5}, 9, 0, {}}, // only x leaves the area
        {{1, 1}, 9, 0, {movedTo(2, 2)}},
        {{1, 1}, 7, 0, {}},
        {{1011, 100}, 6, 9, {}}, // a 12-pixel step reaches the bound
        {{100, 100}, 5, 0, {}},  // not a direction
    };
    for (const Case& c : cases) {
        mouse().moveCount = c.movesBefore;
        sim::setCursor(c.from.x, c.from.y);
        sim::clearEvents();
        mouse().movePointer(c.button);
        EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"SetCursorPos"}), c.expected))
            << c.from.x << "," << c.from.y << " button " << c.button;
    }
    mouse().moveCount = 9;
    sim::setCursor(1011, 100);
    mouse().movePointer(6);
    sim::clearEvents();
    mouse().movePointer(6); // creeps on with one pixel after the refusal
    EXPECT_TRUE(sameEvents(sim::events(), {movedTo(1012, 100)}));
}

// Clicks happen where the pointer is, each event with the extra information of that moment;
// only button 5 follows the swapped-buttons setting.
TEST_F(MouseEmulatorTest, buttonsClickAndHoldThePrimaryButton) {
    struct Case {
        bool swapped;
        std::vector<RemoteButton> buttons;
        std::vector<DWORD> flags;
    };
    const Case cases[] = {
        {false, {0}, {0x2, 0x4}},
        {true, {0}, {0x2, 0x4}},
        {false, {10}, {0x8, 0x10}},
        {true, {10}, {0x8, 0x10}},
        {false, {5, 5}, {0x2, 0x4}},
        {true, {5, 5}, {0x8, 0x10}},
        {false, {5, 0, 5}, {0x2, 0x2, 0x4, 0x4}},
    };
    sim::setCursor(300, 400);
    sim::setMessageExtraInfo(0xFF515700);
    for (const Case& c : cases) {
        sim::setSwapButtons(c.swapped);
        sim::clearEvents();
        for (RemoteButton b : c.buttons)
            mouse().handleButton(b);
        Events expected;
        for (DWORD f : c.flags)
            expected.push_back("mouse_event flags=" + sim::hex(f) +
                               " dx=300 dy=400 data=0 extra=0xFF515700");
        EXPECT_TRUE(sameEvents(sim::events(), expected));
        EXPECT_EQ(mouse().primaryHeld, 0);
    }
}

TEST_F(MouseEmulatorTest, everyOtherCodeDoesNothing) {
    for (RemoteButton b : codesOutsideMaps())
        mouse().handleButton(b);
    for (RemoteButton b = 11; b < 32; ++b)
        mouse().handleButton(b);
    EXPECT_TRUE(sameEvents(sim::events(), {}));
    EXPECT_EQ(mouse().moveCount, 0);
}

} // namespace
