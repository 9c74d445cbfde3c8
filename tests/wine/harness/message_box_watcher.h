// Sees and answers the message boxes that the code under test shows, for real: a thread of the
// test process finds each box (a #32770 dialog of this process), records its caption, text,
// owner and buttons, and presses OK the way a user would, so the modal loop ends by itself.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenMessageBox {
    std::string caption;
    std::string text;
    bool owned;                 // had an owner window
    std::vector<int> buttonIds; // visible push buttons, in child order
};

class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Holds each box open until `ready` returns true (or a deadline passes) before pressing OK.
    void holdBoxesUntil(std::function<bool()> ready);
    std::vector<SeenMessageBox> seen();
    // "caption | text" of each box seen, in order: the form the tests compare.
    std::vector<std::string> seenLines();

private:
    void run();
    void answer(HWND box);

    std::atomic<bool> stopping{false};
    std::mutex lock;
    std::vector<SeenMessageBox> boxes;
    std::function<bool()> gate;
    std::thread thread;
};
