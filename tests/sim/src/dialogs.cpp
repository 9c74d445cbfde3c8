// Modal dialogs: a window with a dialog procedure and a modal loop that runs the timers.
#include "state.h"

using sim::detail::desktop;

namespace sim {

void setDialogHook(std::function<void(HWND, int)> hook) {
    desktop().dialogHook = std::move(hook);
}
void setDialogPatienceMs(DWORD ms) {
    desktop().dialogPatienceMs = ms;
}
void setDialogBoxFails(bool fails) {
    desktop().dialogBoxFails = fails;
}
int openDialogs() {
    return desktop().openDialogs;
}

} // namespace sim

namespace {

bool ended(HWND dialog) {
    const sim::detail::Window* w = sim::detail::findWindow(dialog);
    return !w || w->dialogEnded;
}

// The modal loop: timers keep running (polls go on) until the dialog is ended.
void runModalLoop(HWND dialog) {
    auto& d = desktop();
    const DWORD start = d.ticks;
    while (!ended(dialog) && d.ticks - start < d.dialogPatienceMs)
        if (!sim::fireNextTimer())
            break;
}

} // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    auto& d = desktop();
    const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(lpTemplateName) & 0xFFFF);
    sim::record("DialogBox template=" + std::to_string(id) + " owner=" + sim::describe(hWndParent));
    if (d.dialogBoxFails) {
        SetLastError(1814); // ERROR_RESOURCE_NAME_NOT_FOUND
        return -1;
    }
    HWND dialog = sim::createWindow({"dialog:" + std::to_string(id), "#32770", "", nullptr});
    sim::detail::findWindow(dialog)->dialogProc = lpDialogFunc;
    sim::detail::createDialogControls(dialog, id);
    ++d.openDialogs;
    lpDialogFunc(dialog, WM_INITDIALOG, 0, dwInitParam);
    if (!ended(dialog) && d.dialogHook) {
        auto hook = d.dialogHook;
        hook(dialog, id);
    }
    runModalLoop(dialog);
    if (!ended(dialog)) {
        sim::record("DialogBox abandoned " + sim::describe(dialog));
        lpDialogFunc(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    const sim::detail::Window* w = sim::detail::findWindow(dialog);
    const INT_PTR result = w && w->dialogEnded ? w->dialogResult : -1;
    sim::destroyWindow(dialog);
    --d.openDialogs;
    return result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    sim::record("EndDialog " + sim::describe(hDlg) + " result=" + std::to_string(nResult));
    sim::detail::Window* w = sim::detail::findWindow(hDlg);
    if (!w || !w->dialogProc)
        return FALSE;
    w->dialogEnded = true;
    w->dialogResult = nResult;
    return TRUE;
}
