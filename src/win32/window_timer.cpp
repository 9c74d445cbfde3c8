#include "win32/window_timer.h"

void WindowTimer::configure(HWND newOwner, UINT newPeriodMs) {
    owner = newOwner;
    periodMs = newPeriodMs;
}

void WindowTimer::start() {
    if (armed)
        return;
    SetTimer(owner, id, periodMs, callback);
    armed = true; // whatever the system answered: a failed timer is not retried
}

void WindowTimer::stop() {
    if (!armed)
        return;
    KillTimer(owner, id);
    armed = false;
}
