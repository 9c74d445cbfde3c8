// Finding another program's window among the top-level windows. Titles are read into 128-byte
// buffers and compared byte for byte, case-sensitively, in Z order from the top (hidden windows
// included); FindWindowExA, which Win32 answers without regard to case, finds by class or by
// whole title.
#pragma once

#include <windows.h>

constexpr int WINDOW_TITLE_SIZE = 128;

// How a window is recognised: by its class or its title, and how the title must match.
enum class Match : unsigned char {
    NONE,                 // not looked for
    CLASS,                // FindWindowExA by class, any title
    TITLE,                // FindWindowExA by whole title, any class
    TITLE_START,          // the first title that begins with the text
    TITLE_EXACT,          // the first title that is the text
    TITLE_CONTAINS,       // the first title that contains the text
    CHILD_OF_TITLE_EXACT, // the first child of the first window whose title is the text
};

// The first top-level window that matches `text` (a class or a title, as `match` says); null when
// none does.
HWND findTopLevel(Match match, const char* text);

// The window's title, cut to the buffer and always terminated (empty when it cannot be read).
void readWindowTitle(HWND window, char (&title)[WINDOW_TITLE_SIZE]);
HWND findTopLevelTitleStartingWith(const char* prefix);
// The first top-level window with a direct child whose whole title is `childTitle`.
HWND findTopLevelWithChildTitled(const char* childTitle);
