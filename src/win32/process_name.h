// The file name of the program that owns another window, such as "vlc.exe".
#pragma once

#include <windows.h>

constexpr int PROGRAM_NAME_SIZE = 64;

// The file name (without its folder) of the program whose process owns the window, cut to fit;
// false, leaving it empty, when it cannot be learnt. QueryFullProcessImageNameA gives it where the
// system has it (Windows Vista on); elsewhere the Tool Help process list does.
bool programNameOfWindow(HWND window, char (&name)[PROGRAM_NAME_SIZE]);
// The same from the Tool Help process list alone.
bool programNameFromProcessList(DWORD processId, char (&name)[PROGRAM_NAME_SIZE]);
