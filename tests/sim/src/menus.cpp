// Popup menus: created, filled and destroyed. Tracking one answers at once, as a menu dismissed
// without a choice does.
#include "state.h"

using sim::detail::desktop;

HMENU WINAPI CreatePopupMenu(void) {
    auto& d = desktop();
    const std::uintptr_t id = d.nextMenu;
    d.nextMenu += 0x10;
    d.menus.insert(id);
    return reinterpret_cast<HMENU>(id);
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT, UINT_PTR, LPCSTR) {
    return desktop().menus.count(reinterpret_cast<std::uintptr_t>(hMenu)) ? TRUE : FALSE;
}

BOOL WINAPI TrackPopupMenu(HMENU, UINT, int, int, int, HWND, const RECT*) {
    return FALSE;
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    return desktop().menus.erase(reinterpret_cast<std::uintptr_t>(hMenu)) ? TRUE : FALSE;
}
