#include "app/single_dialog.h"

#include "app/process_globals.h"

INT_PTR SingleDialog::show(HWND owner) {
    if (open) {
        if (window)
            SetForegroundWindow(window);
        return 0;
    }
    open = true;
    const INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), owner, route,
                                           reinterpret_cast<LPARAM>(this));
    open = false;
    window = nullptr;
    return result;
}

INT_PTR CALLBACK SingleDialog::route(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<SingleDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->window = dialog;
        return self->procedure(dialog, message, wParam, 0);
    }
    // Messages that come before WM_INITDIALOG (WM_SETFONT) find no record yet; the dialogs leave
    // them to the system anyway.
    auto* self = reinterpret_cast<SingleDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->procedure(dialog, message, wParam, lParam) : FALSE;
}
