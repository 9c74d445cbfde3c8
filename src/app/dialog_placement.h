// Where the program's dialogs appear on the common screen widths.
#pragma once

#include <windows.h>

// On a known full-screen client width, moves the dialog to its place and makes it topmost;
// on any other width the system's placement stays.
void placeDialog(HWND dialog);
