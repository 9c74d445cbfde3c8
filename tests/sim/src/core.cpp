// Event log, last error, kernel handles, the virtual clock with window timers, and message boxes.
#include "state.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace sim::detail {

Desktop& desktop() {
    static Desktop instance;
    return instance;
}

std::string lower(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace sim::detail

namespace sim {

using detail::desktop;

void resetShellTray();

void reset() {
    detail::Desktop& d = desktop();
    d = detail::Desktop{};
    resetShellTray();
}

const std::vector<std::string>& events() {
    return desktop().events;
}
void clearEvents() {
    desktop().events.clear();
}
void record(const std::string& line) {
    desktop().events.push_back(line);
}

std::vector<std::string> eventsStartingWith(std::initializer_list<const char*> prefixes) {
    std::vector<std::string> out;
    for (const std::string& e : desktop().events)
        for (const char* p : prefixes)
            if (e.rfind(p, 0) == 0) {
                out.push_back(e);
                break;
            }
    return out;
}

std::string hex(std::uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string quoted(const char* text) {
    return text ? "\"" + std::string(text) + "\"" : std::string("null");
}

void setTickCount(DWORD ticks) {
    desktop().ticks = ticks;
}
DWORD tickCount() {
    return desktop().ticks;
}
DWORD totalSleptMs() {
    return desktop().slept;
}

std::vector<TimerInfo> timers() {
    std::vector<TimerInfo> out;
    for (const detail::Timer& t : desktop().timers)
        out.push_back({t.window, t.id, t.periodMs, t.routine});
    return out;
}

namespace {

// The timer that falls due first, or null. Due times compare relative to now, so a tick-count
// wrap does not reorder them.
const detail::Timer* nextDue() {
    const detail::Desktop& d = desktop();
    const detail::Timer* best = nullptr;
    for (const detail::Timer& t : d.timers) {
        if (!best)
            best = &t;
        else {
            // Overdue timers (due time behind the clock) count as due now.
            DWORD a = t.due - d.ticks, b = best->due - d.ticks;
            a = a >= 0x80000000u ? 0 : a;
            b = b >= 0x80000000u ? 0 : b;
            if (a < b || (a == b && t.serial < best->serial))
                best = &t;
        }
    }
    return best;
}

void fire(const detail::Timer& timer) {
    detail::Desktop& d = desktop();
    const detail::Timer copy = timer;
    // Re-arm before calling: a nested modal loop inside the routine sees the next due time.
    for (detail::Timer& t : d.timers)
        if (t.window == copy.window && t.id == copy.id)
            t.due = d.ticks + t.periodMs;
    if (copy.routine)
        copy.routine(copy.window, WM_TIMER, copy.id, d.ticks);
}

} // namespace

namespace {

// Milliseconds until the timer is due; 0 when it is overdue (after a Sleep, say).
DWORD untilDue(const detail::Timer& t) {
    const DWORD wait = t.due - desktop().ticks;
    return wait >= 0x80000000u ? 0 : wait;
}

} // namespace

void advance(DWORD ms) {
    detail::Desktop& d = desktop();
    const DWORD start = d.ticks;
    for (;;) {
        const DWORD elapsed = d.ticks - start;
        if (elapsed >= ms) // a nested modal loop may have run past the end already
            return;
        const DWORD left = ms - elapsed;
        const detail::Timer* t = nextDue();
        if (!t || untilDue(*t) > left) {
            d.ticks += left;
            return;
        }
        d.ticks += untilDue(*t);
        fire(*t);
    }
}

bool fireNextTimer() {
    const detail::Timer* t = nextDue();
    if (!t)
        return false;
    desktop().ticks += untilDue(*t);
    fire(*t);
    return true;
}

void setMessageBoxHook(std::function<int(const ModalBox&)> hook) {
    desktop().boxHook = std::move(hook);
}
int openMessageBoxes() {
    return desktop().openBoxes;
}

int openHandleCount() {
    return static_cast<int>(desktop().kernelHandles.size() + desktop().openKeys.size());
}

} // namespace sim

using sim::detail::desktop;

void WINAPI GetLocalTime(SYSTEMTIME* lpSystemTime) {
    const DWORD ms = desktop().ticks;
    *lpSystemTime = {2026,
                     12,
                     3,
                     9,
                     static_cast<WORD>(ms / 3600000 % 24),
                     static_cast<WORD>(ms / 60000 % 60),
                     static_cast<WORD>(ms / 1000 % 60),
                     static_cast<WORD>(ms % 1000)};
}

DWORD WINAPI GetTickCount(void) {
    return desktop().ticks;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    // The thread stands still: time passes, but no timer routine runs.
    desktop().ticks += dwMilliseconds;
    desktop().slept += dwMilliseconds;
    sim::record("Sleep " + std::to_string(dwMilliseconds));
}

DWORD WINAPI GetLastError(void) {
    return desktop().lastError;
}
void WINAPI SetLastError(DWORD dwErrCode) {
    desktop().lastError = dwErrCode;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    auto& handles = desktop().kernelHandles;
    auto it = handles.find(reinterpret_cast<std::uintptr_t>(hObject));
    if (it == handles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    handles.erase(it);
    return TRUE;
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    sim::detail::Desktop& d = desktop();
    sim::record("SetTimer " + sim::describe(hWnd) + " id=" + std::to_string(nIDEvent) +
                " period=" + std::to_string(uElapse));
    // Setting an existing timer again replaces it, as Windows does.
    d.timers.erase(std::remove_if(d.timers.begin(), d.timers.end(),
                                  [&](const sim::detail::Timer& t) {
                                      return t.window == hWnd && t.id == nIDEvent;
                                  }),
                   d.timers.end());
    const UINT period = uElapse < 10 ? 10 : uElapse; // USER_TIMER_MINIMUM
    d.timers.push_back({hWnd, nIDEvent, period, lpTimerFunc, d.ticks + period, d.timerSerial++});
    return nIDEvent;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    sim::detail::Desktop& d = desktop();
    sim::record("KillTimer " + sim::describe(hWnd) + " id=" + std::to_string(uIDEvent));
    const auto before = d.timers.size();
    d.timers.erase(std::remove_if(d.timers.begin(), d.timers.end(),
                                  [&](const sim::detail::Timer& t) {
                                      return t.window == hWnd && t.id == uIDEvent;
                                  }),
                   d.timers.end());
    return d.timers.size() != before;
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    sim::detail::Desktop& d = desktop();
    sim::record("MessageBox owner=" + sim::describe(hWnd) + " text=" + sim::quoted(lpText) +
                " caption=" + sim::quoted(lpCaption) + " type=" + sim::hex(uType));
    ++d.openBoxes;
    int answer = 0;
    if (d.boxHook) {
        // Copy: the hook may replace itself while it runs.
        auto hook = d.boxHook;
        answer = hook({hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "", uType, d.openBoxes});
    }
    --d.openBoxes;
    return answer ? answer : IDOK;
}
