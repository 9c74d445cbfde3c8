// A dialog of the shell that a command opens: About and Setting. Any program can post the
// command, as often as it likes; each would open one more modal loop inside the last until the
// stack ran out. So each dialog is open at most once, and a command for one that is open brings
// it to the front instead.
#pragma once

#include <windows.h>

class SingleDialog {
public:
    SingleDialog(int templateId, DLGPROC procedure)
        : templateId(templateId), procedure(procedure) {}
    SingleDialog(const SingleDialog&) = delete;
    SingleDialog& operator=(const SingleDialog&) = delete;

    // Shows the dialog modally, owned by `owner`, and returns its end value once it has closed.
    // When it is open already, brings it to the front and returns 0.
    INT_PTR show(HWND owner);
    bool isOpen() const { return open; }

private:
    // Hands every message to the dialog's own procedure, and notes the dialog's window.
    static INT_PTR CALLBACK route(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    const int templateId;
    const DLGPROC procedure;
    bool open = false;
    HWND window = nullptr; // known once the dialog has initialised
};
