// The hidden main window: it owns the timers, the notification icon and the dialogs, and takes
// the program's commands from the menu, the accelerators and other programs.
#pragma once

#include <windows.h>

class Program;

constexpr int WINDOW_TEXT_SIZE = 100;

// Finds the program in the window's user data, which WM_NCCREATE stores from the creation
// parameter.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the main window's class; a failure shows as creating the window failing.
ATOM registerMainClass(HINSTANCE instance, const char* className);
// Creates the main window for the program, keeping it in the program's shell; false when it cannot
// be created.
bool createMainWindow(Program& program, const char* className, const char* title);
