// The hidden main window: it owns the timers, the notification icon and the dialogs, and takes
// the program's commands from the menu, the accelerators and other programs.
#pragma once

#include <windows.h>

constexpr int WINDOW_TEXT_SIZE = 100;

// Loaded from string resources 22 and 23 before the class is registered.
extern char windowTitle[WINDOW_TEXT_SIZE];
extern char windowClassName[WINDOW_TEXT_SIZE];

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the main window's class; a failure shows as initInstance failing.
ATOM registerMainClass(HINSTANCE instance);
// Keeps the instance and creates the main window as mainWindow; 1 on success, 0 otherwise.
int initInstance(HINSTANCE instance);
