// The Shut Down prompt that the remote answers: Power shuts the computer down, any other key
// cancels.
#pragma once

#include <windows.h>

// 1 from the moment the prompt is asked for until it is answered.
extern int shutdownPromptOpen;
// The prompt's window, recorded when it initialises; not cleared when it closes.
extern HWND shutdownDialog;

// Shows the prompt modally and returns its end value once it has closed.
INT_PTR showShutdownPrompt(HWND owner);
INT_PTR CALLBACK shutdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
