#include "app/setting_dialog.h"

#include "app/dialog_placement.h"

#include <cstring>

INT_PTR SettingDialog::onInitDialog(HWND dialog) {
    placeDialog(dialog);
    SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_RESETCONTENT, 0, 0);
    int position = 0;
    // In list order; an entry is listed only while its application is installed.
    for (AppId app : SETTING_LIST) {
        if (!apps[app].isInstalled())
            continue;
        SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(describe(app).name));
        if (describe(app).defaultNumber == settings.defaultApp)
            lastSelection = position;
        ++position;
    }
    // With no entry for the default, the index confirmed last time stays; one past the end of
    // the list selects nothing.
    if (lastSelection == -1)
        lastSelection = 0;
    SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_SETCURSEL, lastSelection, 0);
    return TRUE;
}

// Copies the selected entry's text into selectedText, or empties it. CB_GETLBTEXT takes no buffer
// size, so the length is asked first and a text that would not fit is not copied.
void SettingDialog::readSelectedText(HWND dialog) {
    selectedText[0] = 0;
    if (lastSelection == CB_ERR)
        return;
    const LRESULT length =
        SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_GETLBTEXTLEN, lastSelection, 0);
    if (length == CB_ERR || length >= SELECTED_APP_TEXT_SIZE)
        return;
    if (SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_GETLBTEXT, lastSelection,
                            reinterpret_cast<LPARAM>(selectedText)) == CB_ERR)
        selectedText[0] = 0;
}

INT_PTR SettingDialog::onOk(HWND dialog) {
    lastSelection = static_cast<int>(SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_GETCURSEL, 0, 0));
    readSelectedText(dialog);
    for (AppId app : SETTING_LIST) {
        const TvAppDescription& chosen = describe(app);
        if (std::strcmp(selectedText, chosen.name) != 0)
            continue;
        // Only a change is written; a failed save leaves the choice in memory.
        if (chosen.defaultNumber != settings.defaultApp) {
            settings.defaultApp = chosen.defaultNumber;
            saveDefaultApp(settings.defaultApp);
        }
        break;
    }
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR SettingDialog::onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog);
    case WM_COMMAND:
        // The list's own notifications carry its id, 11, and are left alone.
        switch (LOWORD(wParam)) {
        case IDOK:
            return onOk(dialog);
        case IDCANCEL: // Escape and the close box; nothing changes
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
