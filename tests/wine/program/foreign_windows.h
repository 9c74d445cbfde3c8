// Another process's dialogs, message boxes and popup menus, found and read from outside the way
// an accessibility tool would: by class, caption and owner process, with messages that Wine
// carries between processes.
#pragma once

#include "harness/window_text.h"

#include <windows.h>

#include <string>
#include <vector>

// Visible top-level windows of `process` with class `className` ("#32770" for dialogs and
// message boxes, "#32768" for popup menus), in Z order.
std::vector<HWND> visibleWindowsOf(DWORD process, const char* className);
// The same, hidden ones included.
std::vector<HWND> windowsOf(DWORD process, const char* className);
// The visible dialog of `process` with exactly this caption, or null.
HWND dialogOf(DWORD process, const char* caption);
// Waits for such a dialog; null at the deadline.
HWND waitForDialog(DWORD process, const char* caption, DWORD timeoutMs = 10000);

struct ControlInfo {
    int id;
    std::string kind; // window class
    std::string text;
    DWORD style;
    RECT rect; // in the dialog's client coordinates
};
// The dialog's child controls in child (tab) order.
std::vector<ControlInfo> controlsOf(HWND dialog);

// A combo box's list, and its selection (-1 for none).
std::vector<std::string> comboItems(HWND combo);
int comboSelection(HWND combo);

// Presses a push button the way a click does; false when the button did not take it.
bool clickDialogButton(HWND dialog, int id);
// Waits until the window is gone or hidden.
bool waitUntilClosed(HWND window, DWORD timeoutMs = 10000);
