// Walks over the top-level windows in Z order, as the adapters recognise their applications by
// title. Titles are read into 128-byte buffers and compared byte for byte, case-sensitively.
#pragma once

#include <windows.h>

constexpr int WINDOW_TITLE_SIZE = 128;

// The window's title, cut to the buffer and always terminated (empty when it cannot be read).
void readWindowTitle(HWND window, char (&title)[WINDOW_TITLE_SIZE]);

// The first top-level window (hidden ones included, top of the Z order first) whose title...
HWND findTopLevelTitleStartingWith(const char* prefix);
HWND findTopLevelTitleEqualTo(const char* text);
HWND findTopLevelTitleContaining(const char* text);
// The first top-level window with a direct child whose whole title is `childTitle`.
HWND findTopLevelWithChildTitled(const char* childTitle);
