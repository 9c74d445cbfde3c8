#include "app/main_window.h"
#include "app/pointer_area.h"

#include "tv_app_fixture.h"

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

// Aware of the display's scale, the program keeps the area and its steps in the pixels it saw
// when the system scaled it, so that each step covers the same distance on the screen; a click is
// reported where it was.
TEST_F(PointerAreaTest, AtEveryScaleTheAreaAndTheStepsAreThoseOf96Dpi) {
    const struct {
        int dpi, width, height;
        Events moves; // right, five times: four pixels of 96 DPI, then the medium step
    } rows[] = {
        {96, 1024, 768, {"513,384", "514,384", "515,384", "516,384", "522,384"}},
        {144, 1536, 1152, {"770,576", "771,576", "773,576", "774,576", "783,576"}},
        {192, 2048, 1536, {"1026,768", "1028,768", "1030,768", "1032,768", "1044,768"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        fake::setSystemDpi(row.dpi);
        sim::setFullScreenSize(row.width, row.height);
        initPointerArea(mouse().area);
        EXPECT_EQ(areaOf(mouse().area), (Area{1023, 767, 6, 12}));
        sim::setCursor(row.width / 2, row.height / 2);
        mouse().resetAcceleration();
        sim::clearEvents();
        for (int move = 0; move < 5; ++move)
            mouse().handleButton(6);
        mouse().handleButton(0);
        Events expected;
        for (const std::string& at : row.moves)
            expected.push_back("SetCursorPos " + at);
        EXPECT_EQ(sim::eventsStartingWith({"SetCursorPos"}), expected);
        EXPECT_EQ(sim::eventsStartingWith({"mouse_event"}).front(),
                  "mouse_event flags=0x2 dx=522 dy=384 data=0 extra=0x0");
    }
}
