// TEMPORARY, until the tvapps branch is merged: see tvapps_interim.h.
#include "app/tvapps_interim.h"

#include "app/window_timer.h"

InterimAdapter PowerVcrApp, HonestechApp, WinDvrApp, WinDvdApp, WinRipApp, LumenTvrApp;
InterimPointerArea PointerArea;

namespace {
void CALLBACK interimTick(HWND, UINT, UINT_PTR, DWORD) {}
} // namespace

WindowTimer pollTimer(POLL_TIMER_ID, interimTick);
WindowTimer appWatchTimer(APP_WATCH_TIMER_ID, interimTick);
