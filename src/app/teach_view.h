// The teaching dialog's controls: the programs' drop-down list, the list of actions with their
// keys and buttons, the line that says what comes next, the key chooser and the buttons. The
// Windows builds draw them (teach_view.cpp); the host tests, whose simulated desktop has none of
// these controls, give a small fake.
#pragma once

#include <windows.h>

class TeachDialog;

// The dialog's messages, from WM_INITDIALOG on.
INT_PTR teachViewMessage(TeachDialog& teach, HWND dialog, UINT message, WPARAM wParam,
                         LPARAM lParam);
// Shows the rows, the selection and the line as the teaching has them now.
void teachViewRefresh(TeachDialog& teach, HWND dialog);
