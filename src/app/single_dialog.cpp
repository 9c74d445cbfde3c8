#include "app/single_dialog.h"

#include "win32/scoped_flag.h"

INT_PTR SingleDialog::show(HINSTANCE instance, HWND owner) {
    if (open) {
        if (dialog)
            SetForegroundWindow(dialog);
        return 0;
    }
    INT_PTR result;
    {
        const ScopedFlag showing(open);
        result = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, route,
                                 reinterpret_cast<LPARAM>(this));
    }
    dialog = nullptr;
    return result;
}

INT_PTR CALLBACK SingleDialog::route(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<SingleDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->dialog = dialog;
        return self->onMessage(dialog, message, wParam, 0);
    }
    // Messages that come before WM_INITDIALOG (WM_SETFONT) find no object yet; the dialogs leave
    // them to the system anyway.
    auto* self = reinterpret_cast<SingleDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->onMessage(dialog, message, wParam, lParam) : FALSE;
}
