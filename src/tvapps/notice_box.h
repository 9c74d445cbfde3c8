// The messages about the TV applications that the user must see: an application that cannot be
// started, a default application that is not installed. The remote asks for them from a poll, and
// the polls go on inside the box's modal loop, so every further press could open another box on
// top of the last; other programs' commands could too. At most one of them is open at a time.
#pragma once

#include <windows.h>

class NoticeBox {
public:
    // Shows the message with the program's caption, no owner and an OK button (plus `extraType`)
    // and returns once it is closed: 1. While another of these messages is open, shows nothing: 0.
    int show(const char* text, UINT extraType = 0);

private:
    bool open = false;
};
