// The Setting dialog: which installed TV application the remote's Power button brings up.
#pragma once

#include "app/resource_ids.h"
#include "app/single_dialog.h"
#include "settings/settings_store.h"
#include "tvapps/tv_apps.h"

constexpr int SELECTED_APP_TEXT_SIZE = 128;

class SettingDialog : public SingleDialog {
public:
    SettingDialog(const TvApps& apps, Settings& settings)
        : SingleDialog(IDD_SETTING), apps(apps), settings(settings) {}

    // The list index last used by the dialog, kept for the run; -1 until it first opens.
    int lastSelection = -1;
    // The text of the entry last confirmed with OK (empty when nothing was selected).
    char selectedText[SELECTED_APP_TEXT_SIZE] = "";

private:
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR onInitDialog(HWND dialog);
    INT_PTR onOk(HWND dialog);
    void readSelectedText(HWND dialog);

    const TvApps& apps;
    Settings& settings;
};
