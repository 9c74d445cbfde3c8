// Simulated windows: top-level and child windows in Z order with class, title, minimised and
// foreground state; window searches as Win32 does them; posted and sent messages logged.
#include "state.h"

#include <algorithm>
#include <cstring>

using sim::detail::desktop;
using sim::detail::lower;
using sim::detail::Window;

namespace {

const HWND DESKTOP = reinterpret_cast<HWND>(std::uintptr_t(0x10010));

std::uintptr_t key(HWND w) {
    return reinterpret_cast<std::uintptr_t>(w);
}

// Windows treats null and the desktop alike as the parent of top-level windows.
HWND parentKey(HWND parent) {
    return parent == DESKTOP ? nullptr : parent;
}

// The window's siblings (itself included) in Z order, topmost first.
std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> out;
    for (HWND w : desktop().zOrder)
        if (desktop().windows.at(key(w)).parent == parent)
            out.push_back(w);
    return out;
}

void raise(HWND window) {
    auto& z = desktop().zOrder;
    auto it = std::find(z.begin(), z.end(), window);
    if (it != z.end()) {
        z.erase(it);
        z.insert(z.begin(), window);
    }
}

std::string describeMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return "msg=" + sim::hex(msg) + " wParam=" + sim::hex(wParam) +
           " lParam=" + sim::hex(static_cast<std::uint64_t>(lParam) & 0xFFFFFFFFull);
}

} // namespace

namespace sim::detail {

Window* findWindow(HWND window) {
    auto& windows = desktop().windows;
    auto it = windows.find(key(window));
    return it == windows.end() ? nullptr : &it->second;
}

} // namespace sim::detail

namespace sim {

HWND createWindow(const NewWindow& wanted) {
    auto& d = desktop();
    HWND w = reinterpret_cast<HWND>(d.nextWindow);
    d.nextWindow += 0x10;
    Window& window = d.windows[key(w)];
    window.label = wanted.label;
    window.className = wanted.className;
    window.title = wanted.title;
    window.owner = wanted.owner;
    window.parent = parentKey(wanted.parent);
    window.minimized = wanted.minimized;
    window.visible = wanted.visible;
    d.zOrder.insert(d.zOrder.begin(), w);
    return w;
}

void destroyWindow(HWND window) {
    auto& d = desktop();
    for (HWND child : childrenOf(window))
        destroyWindow(child);
    d.windows.erase(key(window));
    d.zOrder.erase(std::remove(d.zOrder.begin(), d.zOrder.end(), window), d.zOrder.end());
    if (d.foreground == window)
        d.foreground = nullptr;
    if (d.active == window)
        d.active = nullptr;
}

std::string describe(HWND window) {
    if (!window)
        return "null";
    if (window == DESKTOP)
        return "desktop";
    if (const Window* w = detail::findWindow(window))
        return w->label;
    return "stale:" + hex(key(window));
}

void setSendHandler(HWND window, std::function<LRESULT(UINT, WPARAM, LPARAM)> handler) {
    if (Window* w = detail::findWindow(window))
        w->sendHandler = std::move(handler);
}

HWND foregroundWindow() {
    return desktop().foreground;
}
HWND activeWindow() {
    return desktop().active;
}
bool isMinimized(HWND window) {
    const Window* w = detail::findWindow(window);
    return w && w->minimized;
}
bool isTopmost(HWND window) {
    const Window* w = detail::findWindow(window);
    return w && w->topmost;
}
void setPostFails(HWND window, bool fails) {
    if (Window* w = detail::findWindow(window))
        w->postFails = fails;
}

} // namespace sim

HWND WINAPI GetDesktopWindow(void) {
    return DESKTOP;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    if (hWnd == DESKTOP) {
        if (uCmd != GW_CHILD)
            return nullptr;
        const auto top = childrenOf(nullptr);
        return top.empty() ? nullptr : top.front();
    }
    const Window* w = sim::detail::findWindow(hWnd);
    if (!w) {
        SetLastError(1400); // ERROR_INVALID_WINDOW_HANDLE
        return nullptr;
    }
    if (uCmd == GW_CHILD) {
        const auto children = childrenOf(hWnd);
        return children.empty() ? nullptr : children.front();
    }
    if (uCmd == GW_OWNER)
        return w->owner;
    const auto siblings = childrenOf(w->parent);
    const auto at = std::find(siblings.begin(), siblings.end(), hWnd) - siblings.begin();
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return at + 1 < static_cast<long>(siblings.size()) ? siblings[at + 1] : nullptr;
    case GW_HWNDPREV:
        return at > 0 ? siblings[at - 1] : nullptr;
    default:
        return nullptr;
    }
}

HWND WINAPI FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass,
                          LPCSTR lpszWindow) {
    // Class names and titles compare without regard to case, as in Win32.
    const auto list = childrenOf(parentKey(hWndParent));
    auto it = list.begin();
    if (hWndChildAfter) {
        it = std::find(list.begin(), list.end(), hWndChildAfter);
        if (it == list.end())
            return nullptr;
        ++it;
    }
    for (; it != list.end(); ++it) {
        const Window& w = desktop().windows.at(key(*it));
        if (lpszClass && lower(w.className) != lower(lpszClass))
            continue;
        if (lpszWindow && lower(w.title) != lower(lpszWindow))
            continue;
        return *it;
    }
    return nullptr;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    return FindWindowExA(nullptr, nullptr, lpClassName, lpWindowName);
}

namespace {

int copyText(const std::string& text, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    const int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return n;
}

} // namespace

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    const Window* w = sim::detail::findWindow(hWnd);
    if (!w) {
        if (lpString && nMaxCount > 0)
            lpString[0] = 0;
        return 0;
    }
    return copyText(w->title, lpString, nMaxCount);
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    const Window* w = sim::detail::findWindow(hWnd);
    return w ? copyText(w->className, lpClassName, nMaxCount) : 0;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    return hWnd == DESKTOP || sim::detail::findWindow(hWnd);
}

BOOL WINAPI IsIconic(HWND hWnd) {
    const Window* w = sim::detail::findWindow(hWnd);
    return w && w->minimized;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    sim::record("ShowWindow " + sim::describe(hWnd) + " cmd=" + std::to_string(nCmdShow));
    Window* w = sim::detail::findWindow(hWnd);
    if (!w)
        return FALSE;
    const BOOL wasVisible = w->visible;
    switch (nCmdShow) {
    case SW_HIDE:
        w->visible = false;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        w->minimized = true;
        w->visible = true;
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        w->minimized = false;
        w->visible = true;
        break;
    default:
        w->visible = true;
        break;
    }
    return wasVisible;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    sim::record("SetForegroundWindow " + sim::describe(hWnd));
    if (!sim::detail::findWindow(hWnd))
        return FALSE;
    raise(hWnd);
    desktop().foreground = hWnd;
    desktop().active = hWnd;
    return TRUE;
}

HWND WINAPI GetForegroundWindow(void) {
    return desktop().foreground;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
    sim::record("SetActiveWindow " + sim::describe(hWnd));
    HWND previous = desktop().active;
    if (!sim::detail::findWindow(hWnd))
        return nullptr;
    desktop().active = hWnd;
    return previous;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND after, int X, int Y, int cx, int cy, UINT uFlags) {
    const std::string where = after == HWND_TOPMOST     ? "topmost"
                              : after == HWND_NOTOPMOST ? "notopmost"
                                                        : sim::describe(after);
    sim::record("SetWindowPos " + sim::describe(hWnd) + " after=" + where + " x=" +
                std::to_string(X) + " y=" + std::to_string(Y) + " cx=" + std::to_string(cx) +
                " cy=" + std::to_string(cy) + " flags=" + sim::hex(uFlags));
    Window* w = sim::detail::findWindow(hWnd);
    if (!w)
        return FALSE;
    if (after == HWND_TOPMOST)
        w->topmost = true;
    if (after == HWND_NOTOPMOST)
        w->topmost = false;
    return TRUE;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    sim::record("PostMessage " + sim::describe(hWnd) + " " + describeMessage(Msg, wParam, lParam));
    const Window* w = sim::detail::findWindow(hWnd);
    if (!w || w->postFails) {
        SetLastError(1400);
        return FALSE;
    }
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    // A dialog's own combo box answers at once; the message never leaves the program.
    if (Window* control = sim::detail::findWindow(hWnd);
        control && sim::detail::isComboBox(*control))
        return sim::detail::comboMessage(*control, Msg, wParam, lParam);
    sim::record("SendMessage " + sim::describe(hWnd) + " " + describeMessage(Msg, wParam, lParam));
    const Window* w = sim::detail::findWindow(hWnd);
    if (!w)
        return 0;
    if (w->dialogProc)
        return w->dialogProc(hWnd, Msg, wParam, lParam);
    if (!w->sendHandler)
        return 0;
    auto handler = w->sendHandler; // the handler may destroy the window
    return handler(Msg, wParam, lParam);
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    sim::record("DefWindowProc " + sim::describe(hWnd) + " " +
                describeMessage(Msg, wParam, lParam));
    return 0;
}

void WINAPI PostQuitMessage(int nExitCode) {
    sim::record("PostQuitMessage " + std::to_string(nExitCode));
}

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
    auto& known = desktop().registeredMessages;
    auto it = known.find(lpString);
    if (it != known.end())
        return it->second;
    // Registered messages live in 0xC000 to 0xFFFF.
    const UINT number = 0xC000 + static_cast<UINT>(known.size());
    known[lpString] = number;
    return number;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    if (!sim::detail::findWindow(hWnd))
        return FALSE;
    sim::destroyWindow(hWnd);
    return TRUE;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    const Window* w = sim::detail::findWindow(hWnd);
    if (!w)
        return 0;
    auto it = w->longs.find(nIndex);
    return it == w->longs.end() ? 0 : it->second;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    Window* w = sim::detail::findWindow(hWnd);
    if (!w)
        return 0;
    const LONG_PTR previous = GetWindowLongPtrA(hWnd, nIndex);
    w->longs[nIndex] = dwNewLong;
    return previous;
}

// The program's own icons: a handle that names the resource, shared as LR_SHARED gives it.
HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT, int, int, UINT) {
    return reinterpret_cast<HANDLE>(0x1C0000 + (reinterpret_cast<std::uintptr_t>(name) & 0xFFFF));
}
