// Windows builds only: the simulated desktop has no device context.
#include "win32/display_scale.h"

#include "win32/later_calls.h"

#include <windows.h>

namespace {

int askSystem() {
    if (const auto forSystem = laterCalls().getDpiForSystem)
        if (const UINT dpi = forSystem())
            return static_cast<int>(dpi);
    // Before Windows 10: the screen's logical pixels, the system's DPI for every program.
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : STANDARD_DPI;
}

} // namespace

int systemDpi() {
    static const int dpi = askSystem(); // a process's system DPI does not change while it runs
    return dpi;
}

int smallIconSize(HWND window) {
    const LaterCalls& calls = laterCalls();
    if (calls.getDpiForWindow && calls.getSystemMetricsForDpi)
        if (const UINT dpi = window ? calls.getDpiForWindow(window) : 0)
            return calls.getSystemMetricsForDpi(SM_CXSMICON, dpi);
    return GetSystemMetrics(SM_CXSMICON);
}
