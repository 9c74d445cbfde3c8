#include "tvapps/windvd_winrip_adapters.h"

#include "tvapps/window_search.h"

namespace {

constexpr const char* WINDVD_TITLE = "InterVideo WinDVD 4";
constexpr const char* WINRIP_TITLE_PART = "WinRip";
constexpr LPARAM CLOSE_KEY_LPARAM = keyLParam(0x2D);

// Both close on a posted 'X' key-down; they stop being active once it was sent.
BOOL postCloseKey(TvApp& app, HWND target) {
    if (!target)
        return 0;
    const BOOL posted = PostMessageA(target, WM_KEYDOWN, 'X', CLOSE_KEY_LPARAM);
    app.active = 0;
    return posted;
}

} // namespace

HWND WinDvdAdapter::findWindow() {
    // The walk stops at the first match even when it has no child.
    HWND main = findTopLevelTitleEqualTo(WINDVD_TITLE);
    return main ? GetWindow(main, GW_CHILD) : nullptr;
}

BOOL WinDvdAdapter::quit() {
    return postCloseKey(*this, findWindow());
}

HWND WinRipAdapter::findWindow() {
    return findTopLevelTitleContaining(WINRIP_TITLE_PART);
}

BOOL WinRipAdapter::quit() {
    return postCloseKey(*this, findWindow());
}
