// Popup menus: created, filled, tracked and destroyed, each call logged with the menu's items.
#include "state.h"

using sim::detail::desktop;

namespace {

std::vector<std::string>* itemsOf(HMENU menu) {
    auto& menus = desktop().menus;
    auto it = menus.find(reinterpret_cast<std::uintptr_t>(menu));
    return it == menus.end() ? nullptr : &it->second;
}

} // namespace

namespace sim {

int openMenus() {
    return static_cast<int>(desktop().menus.size());
}

} // namespace sim

HMENU WINAPI CreatePopupMenu(void) {
    auto& d = desktop();
    const std::uintptr_t id = d.nextMenu;
    d.nextMenu += 0x10;
    d.menus[id] = {};
    return reinterpret_cast<HMENU>(id);
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    std::vector<std::string>* items = itemsOf(hMenu);
    if (!items)
        return FALSE;
    const bool separator = (uFlags & MF_SEPARATOR) != 0;
    items->push_back("flags=" + sim::hex(uFlags) + " id=" + std::to_string(uIDNewItem) +
                     (separator ? "" : " text=" + sim::quoted(lpNewItem)));
    return TRUE;
}

// Dismissed at once: no command comes back.
BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    const std::vector<std::string>* items = itemsOf(hMenu);
    if (!items)
        return FALSE;
    std::string line = "TrackPopupMenu flags=" + sim::hex(uFlags) + " x=" + std::to_string(x) +
                       " y=" + std::to_string(y) + " owner=" + sim::describe(hWnd);
    for (const std::string& item : *items)
        line += " [" + item + "]";
    sim::record(line);
    return FALSE;
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    return desktop().menus.erase(reinterpret_cast<std::uintptr_t>(hMenu)) ? TRUE : FALSE;
}
