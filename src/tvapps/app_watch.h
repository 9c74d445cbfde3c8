// The app watch: after Power brought an application up, a one-second timer looks whether its window
// is still there, and once it is gone the application stops being the remote's target, so the
// remote falls back to its other targets.
#pragma once

#include "tvapps/tv_apps.h"
#include "win32/window_timer.h"

constexpr UINT_PTR APP_WATCH_TIMER_ID = 2;
constexpr UINT APP_WATCH_PERIOD_MS = 1000;
// With nothing to watch, a tick waits this long before the timer stops.
constexpr DWORD IDLE_WATCH_PAUSE_MS = 2000;

class AppWatch {
public:
    // `routine` is the timer's: it finds the program through the owner window and calls tick.
    explicit AppWatch(TIMERPROC routine) : timer(APP_WATCH_TIMER_ID, routine) {}

    // Gives the timer its owner and period; it does not run yet.
    void prepare(HWND owner);
    // Power brought the application up: the timer runs (one already running is left as it is),
    // and the application is watched when it is now the target.
    void lookAfter(const TvApp& app);
    // One watched application per tick, the first in TARGET_PRECEDENCE: once its window is gone it
    // stops being the target and the timer stops, whatever else is watched. With nothing watched,
    // the thread (and with it the poll) stands still for a while, then the timer stops.
    void tick(TvApps& apps);

    bool watches(AppId app) const { return watching[indexOf(app)]; }
    const WindowTimer& watchTimer() const { return timer; }

private:
    WindowTimer timer;
    bool watching[APP_COUNT] = {};
};
