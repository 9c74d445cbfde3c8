// The About dialog: the program's name, version and maker.
#pragma once

#include <windows.h>

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
