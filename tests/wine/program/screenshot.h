// Screenshots of what the program shows, taken from the screen (the Xvfb display under the test
// suite) and written as PNG files into the build folder for a person to look at.
#pragma once

#include <windows.h>

#include <string>

// Saves the screen area of `window` as `name` (a file name) in the screenshots folder beside
// the test program. Returns the file's full path, or an empty string when nothing was written.
std::string saveScreenshot(HWND window, const char* name);
// Saves it and prints where, as the build machine names the file; false when nothing was saved.
bool keepScreenshot(HWND window, const char* name);
