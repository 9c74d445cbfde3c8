#include "app/shutdown_prompt.h"

#include "app/dialog_placement.h"
#include "settings/system_shutdown.h"
#include "win32/scoped_flag.h"

INT_PTR ShutdownPrompt::ask(HINSTANCE instance, HWND owner) {
    // Closed, or never shown (-1): either way no prompt is waiting for the remote once this
    // returns, which would otherwise send every later button to a window that does not exist.
    const ScopedFlag waiting(waitingForAnswer);
    return show(instance, owner);
}

void ShutdownPrompt::answer(bool shutDown) {
    SetForegroundWindow(window());
    SetActiveWindow(window());
    SendMessageA(window(), WM_KEYDOWN, shutDown ? VK_RETURN : VK_ESCAPE, 0);
}

// The wait ends and the end is requested before the computer is shut down, so a nested poll
// never answers a prompt that is already going away.
INT_PTR ShutdownPrompt::end(HWND dialog, INT_PTR endValue, bool shutDown) {
    waitingForAnswer = false;
    EndDialog(dialog, endValue);
    if (shutDown)
        shutDownComputer();
    return TRUE;
}

INT_PTR ShutdownPrompt::onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetForegroundWindow(dialog);
        SetActiveWindow(dialog);
        placeDialog(dialog);
        return TRUE;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            return end(dialog, VK_RETURN, true);
        if (wParam == VK_ESCAPE)
            return end(dialog, VK_ESCAPE, false);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            return end(dialog, IDOK, true);
        if (LOWORD(wParam) == IDCANCEL)
            return end(dialog, IDCANCEL, false);
        return FALSE;
    default:
        return FALSE;
    }
}
