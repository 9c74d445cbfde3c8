#include "app/about_dialog.h"

#include "app/dialog_placement.h"

INT_PTR AboutDialog::onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        placeDialog(dialog);
        return TRUE; // the system sets the default focus
    case WM_COMMAND:
        // OK, or Escape and the close box, which arrive as IDCANCEL.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
