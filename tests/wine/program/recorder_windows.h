// Top-level windows that stand in for other programs' windows (the competing remote-control
// utilities): each has a title of the test's choosing, ignores what it is asked to do, and
// records every message posted or sent to it. They live on a thread of their own that pumps
// their messages.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class RecorderWindows {
public:
    // Creates one window per title, in this order, then puts them in Z order as listed: the
    // first on top.
    explicit RecorderWindows(const std::vector<std::string>& titles);
    ~RecorderWindows();
    RecorderWindows(const RecorderWindows&) = delete;
    RecorderWindows& operator=(const RecorderWindows&) = delete;

    bool ok() const { return windows.size() == titles.size(); }
    // True when the windows are in Z order as listed (the test's premise).
    bool stackedAsListed() const;
    // Every recorded message of window `index` as "WM_CLOSE 0 0" lines, after all messages
    // posted before this call have been handled.
    std::vector<std::string> received(size_t index);

private:
    void run();
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<std::string> titles;
    std::vector<HWND> windows;
    std::vector<std::vector<std::string>> messages;
    std::mutex lock;
    std::condition_variable changed;
    bool ready = false;
    DWORD threadId = 0;
    int flushesDone = 0;
    std::thread thread;
};
