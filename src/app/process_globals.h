// Process-wide values set at start-up.
#pragma once

#include <windows.h>

// The module instance, kept for loading resources and for the dialogs.
extern HINSTANCE appInstance;
// The hidden main window.
extern HWND mainWindow;
