#include "app/shutdown_prompt.h"

#include "app/dialog_placement.h"
#include "app/process_globals.h"
#include "app/resource_ids.h"
#include "settings/system_shutdown.h"

int shutdownPromptOpen = 0;
HWND shutdownDialog = nullptr;

namespace {

// The flag is cleared and the end requested before the computer is shut down, so a nested poll
// never answers a prompt that is already going away.
INT_PTR answer(HWND dialog, INT_PTR endValue, bool shutDown) {
    shutdownPromptOpen = 0;
    EndDialog(dialog, endValue);
    if (shutDown)
        shutDownComputer();
    return TRUE;
}

INT_PTR onInitDialog(HWND dialog) {
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    shutdownDialog = dialog;
    placeDialog(dialog);
    return TRUE;
}

} // namespace

INT_PTR showShutdownPrompt(HWND owner) {
    shutdownPromptOpen = 1;
    const INT_PTR result =
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SHUTDOWN), owner, shutdownDialogProc, 0);
    // Closed, or never shown (-1): either way no prompt is waiting for the remote, which would
    // otherwise send every later button to a window that does not exist.
    shutdownPromptOpen = 0;
    return result;
}

INT_PTR CALLBACK shutdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            return answer(dialog, VK_RETURN, true);
        if (wParam == VK_ESCAPE)
            return answer(dialog, VK_ESCAPE, false);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            return answer(dialog, IDOK, true);
        if (LOWORD(wParam) == IDCANCEL)
            return answer(dialog, IDCANCEL, false);
        return FALSE;
    default:
        return FALSE;
    }
}
