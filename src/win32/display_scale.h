// The display's scale. The program declares itself aware of it, so the system no longer stretches
// its windows as a bitmap; what it computes from the screen in pixels (where its dialogs go, the
// remote's pointer area and steps) is still computed in the pixels it saw before, when the system
// scaled it: physical × 96 / the system's DPI, converted back for the system's calls. At 96 DPI
// both are the same. The Windows builds ask the system (display_scale.cpp); the host tests give a
// fake.
#pragma once

constexpr int STANDARD_DPI = 96;

#include <windows.h>

// The system's DPI, fixed for the program's run; 96 where the system has no scale.
int systemDpi();
// The size of a small icon at the scale of the window's display now (which may have changed since
// the program started): GetSystemMetrics(SM_CXSMICON) where the system has no scale per display.
int smallIconSize(HWND window);

// Physical pixels in the pixels of 96 DPI, and back; each to the nearest pixel.
constexpr int unscaled(int physical, int dpi) {
    const long long scaledUp = static_cast<long long>(physical) * STANDARD_DPI;
    return static_cast<int>((scaledUp + (scaledUp < 0 ? -dpi : dpi) / 2) / dpi);
}
constexpr int scaled(int pixels, int dpi) {
    const long long scaledUp = static_cast<long long>(pixels) * dpi;
    return static_cast<int>((scaledUp + (scaledUp < 0 ? -STANDARD_DPI : STANDARD_DPI) / 2) /
                            STANDARD_DPI);
}
