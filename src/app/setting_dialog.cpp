#include "app/setting_dialog.h"

#include "app/dialog_placement.h"
#include "app/resource_ids.h"
#include "app/tv_app_links.h"
#include "settings/settings_store.h"

#include <cstring>

int lastSettingSelection = -1;
char selectedAppText[SELECTED_APP_TEXT_SIZE] = "";

namespace {

struct SettingEntry {
    const char* text;
    int defaultApp;
};

// In list order; an entry is listed only while its application is installed.
constexpr SettingEntry SETTING_ENTRIES[] = {
    {"WinDVR", DEFAULT_WINDVR},
    {"PowerVCR", DEFAULT_POWERVCR},
    {"HonesTVR", DEFAULT_HONESTECH},
    {"LumenTVR", DEFAULT_LUMENTVR},
};

INT_PTR onInitDialog(HWND dialog) {
    placeDialog(dialog);
    SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_RESETCONTENT, 0, 0);
    int position = 0;
    for (const SettingEntry& entry : SETTING_ENTRIES) {
        if (!tvAppInstalled(entry.defaultApp))
            continue;
        SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(entry.text));
        if (entry.defaultApp == defaultApp)
            lastSettingSelection = position;
        ++position;
    }
    // With no entry for defaultApp, the index confirmed last time stays; one past the end of
    // the list selects nothing.
    if (lastSettingSelection == -1)
        lastSettingSelection = 0;
    SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_SETCURSEL, lastSettingSelection, 0);
    return TRUE;
}

// Copies the selected entry's text into selectedAppText, or empties it. CB_GETLBTEXT takes no
// buffer size, so the length is asked first and a text that would not fit is not copied.
void readSelectedText(HWND dialog) {
    selectedAppText[0] = 0;
    if (lastSettingSelection == CB_ERR)
        return;
    const LRESULT length =
        SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_GETLBTEXTLEN, lastSettingSelection, 0);
    if (length == CB_ERR || length >= SELECTED_APP_TEXT_SIZE)
        return;
    if (SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_GETLBTEXT, lastSettingSelection,
                            reinterpret_cast<LPARAM>(selectedAppText)) == CB_ERR)
        selectedAppText[0] = 0;
}

INT_PTR onOk(HWND dialog) {
    lastSettingSelection =
        static_cast<int>(SendDlgItemMessageA(dialog, IDC_APP_LIST, CB_GETCURSEL, 0, 0));
    readSelectedText(dialog);
    for (const SettingEntry& entry : SETTING_ENTRIES)
        if (std::strcmp(selectedAppText, entry.text) == 0) {
            // Only a change is written; saveDefaultApp failing leaves the choice in memory.
            if (entry.defaultApp != defaultApp) {
                defaultApp = entry.defaultApp;
                saveDefaultApp();
            }
            break;
        }
    EndDialog(dialog, IDOK);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK settingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
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
