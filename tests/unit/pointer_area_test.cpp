#include "app/main_window.h"
#include "app/pointer_area.h"

#include "program_fixture.h"

namespace {

struct Area {
    int right, bottom, mediumStep, largeStep;
    bool operator==(const Area& o) const {
        return right == o.right && bottom == o.bottom && mediumStep == o.mediumStep &&
               largeStep == o.largeStep;
    }
};

std::ostream& operator<<(std::ostream& out, const Area& a) {
    return out << "right " << a.right << " bottom " << a.bottom << " steps " << a.mediumStep << "/"
               << a.largeStep;
}

Area areaOf(const PointerBounds& area) {
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    return {area.right, area.bottom, area.mediumStep, area.largeStep};
}

} // namespace

using PointerAreaTest = ProgramTest;

TEST_F(PointerAreaTest, CreationMeasuresTheFullScreenClientAreaAndWidensAnOddHeight) {
    struct Case {
        int width, height;
        Area area;
    };
    const Case cases[] = {
        {1024, 705, {1023, 723, 6, 12}}, // odd: 19 more
        {1024, 706, {1023, 705, 6, 12}}, {800, 561, {799, 579, 5, 10}},
        {640, 452, {639, 451, 4, 8}},    {1366, 741, {1365, 759, 8, 17}},
    };
    for (const Case& c : cases) {
        sim::setFullScreenSize(c.width, c.height);
        initPointerArea(mouse().area);
        EXPECT_EQ(areaOf(mouse().area), c.area) << c.width << " x " << c.height;
    }
}

// Through the main window, in this order: a screen of no size keeps the last real one.
TEST_F(PointerAreaTest, DisplayChangeCoversTheWholeNewScreen) {
    struct Case {
        LPARAM size;
        Area area;
    };
    const Case cases[] = {
        {MAKELONG(1024, 768), {1023, 767, 6, 12}},
        {MAKELONG(0, 0), {1023, 767, 6, 12}},
        {MAKELONG(0, 600), {1023, 767, 6, 12}},
        {MAKELONG(800, 0), {1023, 767, 6, 12}},
        {MAKELONG(1280, 1024), {1279, 1023, 8, 16}},
        {MAKELONG(1600, 1201), {1599, 1200, 10, 20}}, // no odd-height rule here
        {MAKELONG(100, 50), {99, 49, 0, 1}},
        // The words are unsigned: a width of 40000 is not a negative number.
        {static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(40000, 30000))), {39999, 29999, 250, 500}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mainWindowProc(mainWindow, WM_DISPLAYCHANGE, 32, c.size), 0);
        EXPECT_EQ(areaOf(mouse().area), c.area) << std::hex << c.size;
    }
}
