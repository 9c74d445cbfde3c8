// The About dialog: the program's name, version and maker.
#pragma once

#include "app/resource_ids.h"
#include "app/single_dialog.h"

class AboutDialog : public SingleDialog {
public:
    AboutDialog() : SingleDialog(IDD_ABOUT) {}

private:
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
};
