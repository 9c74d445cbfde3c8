// One system timer bound to one window, killed when the holder goes; the program has two.
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

    bool armed = false;
    UINT_PTR id;
    HWND owner = nullptr;
    UINT periodMs = 0;
    TIMERPROC callback;
};
