// The bounds and step sizes of the mouse emulation, measured from the screen in the pixels of
// 96 DPI (display_scale.h), as the program always measured them.
#pragma once

#include "tvapps/mouse_emulator.h"

#include <windows.h>

// From the client area of a full-screen window, at window creation.
void initPointerArea(PointerBounds& area);
// From WM_DISPLAYCHANGE's lParam: the new width in the low word, the height in the high word.
// A width or height of 0 leaves the area as it was.
void updatePointerArea(PointerBounds& area, LPARAM displaySize);
