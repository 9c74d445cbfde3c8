// The message boxes that the remote raises: an application that cannot be started, a default
// application that is not installed, a register read that failed. The remote raises them from a
// poll, and the polls go on inside a box's modal loop, so every further press or failed read could
// open another box on top of the last; other programs' commands could too. At most one of them is
// open at a time, whoever asks.
#pragma once

#include <windows.h>

#include <string_view>

class MessageBoxGuard {
public:
    // Shows the box with no owner and returns once it is closed: 1. While another of these boxes
    // is open, shows nothing: 0.
    int show(const char* text, const char* caption, UINT type);
    // The same for UTF-8 text, which may hold what the user wrote in any script (MessageBoxW).
    int showText(std::string_view text, const char* caption, UINT type);
    bool isOpen() const { return open; }

private:
    bool open = false;
};
