// Process-wide values set at start-up.
#pragma once

#include <windows.h>

// The module instance, kept for loading resources and for the dialogs.
extern HINSTANCE appInstance;
// The hidden main window.
extern HWND mainWindow;
// 0 when the capture device could not be opened as the main window was created: nothing is
// polled, and the first click on the icon reports it and ends the program.
extern int captureDeviceFound;
