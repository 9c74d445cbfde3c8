// The Setting dialog: which installed TV application the remote's Power button brings up.
#pragma once

#include <windows.h>

constexpr int SELECTED_APP_TEXT_SIZE = 128;

// The list index last used by the dialog, kept for the run; -1 until it first opens.
extern int lastSettingSelection;
// The text of the entry last confirmed with OK (empty when nothing was selected).
extern char selectedAppText[SELECTED_APP_TEXT_SIZE];

INT_PTR CALLBACK settingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
