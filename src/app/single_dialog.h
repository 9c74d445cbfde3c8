// A modal dialog of the shell, open at most once: a command that any program can post (About,
// Setting), or a button pressed again (the Shut Down prompt), would otherwise open one more modal
// loop inside the last until the stack ran out. Asked for while it is open, it is brought to the
// front instead. Each dialog is a class of its own that handles its messages.
#pragma once

#include <windows.h>

class SingleDialog {
public:
    explicit SingleDialog(int templateId) : templateId(templateId) {}
    SingleDialog(const SingleDialog&) = delete;
    SingleDialog& operator=(const SingleDialog&) = delete;

    // Shows the dialog modally, owned by `owner`, and returns its end value once it has closed.
    // When it is open already, brings it to the front and returns 0; -1 when it cannot be shown.
    INT_PTR show(HINSTANCE instance, HWND owner);
    bool isOpen() const { return open; }
    // The dialog's window while it is open (from its initialisation on); null otherwise.
    HWND window() const { return dialog; }

protected:
    ~SingleDialog() = default;
    // The dialog's own handling: nonzero when the message was handled.
    virtual INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    // Hands every message to the dialog's object, which it finds in the dialog's user data.
    static INT_PTR CALLBACK route(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    const int templateId;
    bool open = false;
    HWND dialog = nullptr;
};
