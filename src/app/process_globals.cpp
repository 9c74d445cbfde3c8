#include "app/process_globals.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
int captureDeviceFound = 1;
