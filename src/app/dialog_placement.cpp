#include "app/dialog_placement.h"

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

void placeDialog(HWND dialog) {
    const int width = GetSystemMetrics(SM_CXFULLSCREEN);
    for (const Placement& p : PLACEMENTS)
        if (p.screenWidth == width) {
            SetWindowPos(dialog, HWND_TOPMOST, p.x, p.y, 0, 0, SWP_NOSIZE);
            return;
        }
}
