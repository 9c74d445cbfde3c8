#include "app/dialog_placement.h"

#include "win32/display_scale.h"

namespace {

struct Placement {
    int screenWidth;
    int x;
    int y;
};

constexpr Placement PLACEMENTS[] = {
    {640, 160, 200},  {800, 280, 250},  {1024, 350, 300},
    {1152, 420, 300}, {1280, 420, 300}, {1600, 580, 340},
};

} // namespace

// The widths and places are those the program saw before it was aware of the display's scale.
void placeDialog(HWND dialog) {
    const int dpi = systemDpi();
    const int width = unscaled(GetSystemMetrics(SM_CXFULLSCREEN), dpi);
    for (const Placement& p : PLACEMENTS)
        if (p.screenWidth == width) {
            SetWindowPos(dialog, HWND_TOPMOST, scaled(p.x, dpi), scaled(p.y, dpi), 0, 0,
                         SWP_NOSIZE);
            return;
        }
}
