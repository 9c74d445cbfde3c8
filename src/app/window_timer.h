// One system timer bound to one window, and the program's two timers.
#pragma once

#include <windows.h>

class WindowTimer {
public:
    WindowTimer(UINT_PTR id, TIMERPROC callback) : id(id), callback(callback) {}
    ~WindowTimer() { stop(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Stores owner and period; a timer already set keeps running with its old values.
    void configure(HWND owner, UINT periodMs);
    // Sets the system timer unless it is already armed (it is never restarted).
    void start();
    void stop();

    unsigned char armed = 0;
    UINT_PTR id;
    HWND owner = nullptr;
    UINT periodMs = 0;
    TIMERPROC callback;
};

constexpr UINT_PTR POLL_TIMER_ID = 1;
constexpr UINT POLL_PERIOD_MS = 65;
constexpr UINT_PTR APP_WATCH_TIMER_ID = 2;
constexpr UINT APP_WATCH_PERIOD_MS = 1000;

// pollTimer runs pollCycle; appWatchTimer runs appWatchTick.
extern WindowTimer pollTimer;
extern WindowTimer appWatchTimer;
