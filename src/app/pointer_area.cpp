#include "app/pointer_area.h"

#include "win32/display_scale.h"

namespace {

void fillPointerArea(PointerBounds& area, int width, int height) {
    area.left = 0;
    area.top = 0;
    area.right = width - 1;
    area.bottom = height - 1;
    area.mediumStep = width / 160;
    area.largeStep = width / 80;
}

} // namespace

void initPointerArea(PointerBounds& area) {
    const int dpi = systemDpi();
    int height = unscaled(GetSystemMetrics(SM_CYFULLSCREEN), dpi);
    const int width = unscaled(GetSystemMetrics(SM_CXFULLSCREEN), dpi);
    // The product's rule: an odd client height gains 19 pixels of range, an even one is kept.
    if (height % 2 != 0)
        height += 19;
    fillPointerArea(area, width, height);
}

void updatePointerArea(PointerBounds& area, LPARAM displaySize) {
    const int dpi = systemDpi();
    const int width = unscaled(LOWORD(displaySize), dpi);
    const int height = unscaled(HIWORD(displaySize), dpi);
    // A screen of no size (a display going away, or any program's message) would leave the pointer
    // no room to move; the last real screen stays.
    if (width == 0 || height == 0)
        return;
    fillPointerArea(area, width, height);
}
