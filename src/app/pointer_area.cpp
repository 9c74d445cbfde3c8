#include "app/pointer_area.h"

#include "tvapps/mouse_emulator.h"

namespace {

void fillPointerArea(int width, int height) {
    PointerArea.left = 0;
    PointerArea.top = 0;
    PointerArea.right = width - 1;
    PointerArea.bottom = height - 1;
    PointerArea.mediumStep = width / 160;
    PointerArea.largeStep = width / 80;
}

} // namespace

void initPointerArea() {
    int height = GetSystemMetrics(SM_CYFULLSCREEN);
    const int width = GetSystemMetrics(SM_CXFULLSCREEN);
    // The product's rule: an odd client height gains 19 pixels of range, an even one is kept.
    if (height % 2 != 0)
        height += 19;
    fillPointerArea(width, height);
}

void updatePointerArea(LPARAM displaySize) {
    const int width = LOWORD(displaySize);
    const int height = HIWORD(displaySize);
    // A screen of no size (a display going away, or any program's message) would leave the pointer
    // no room to move; the last real screen stays.
    if (width == 0 || height == 0)
        return;
    fillPointerArea(width, height);
}
