// A dialog's own controls: created from the template before WM_INITDIALOG, found by identifier,
// and a drop-down list combo box that answers its messages as Win32 does.
#include "state.h"

#include <cstring>

using sim::detail::desktop;
using sim::detail::Window;

namespace sim {

void addDialogControl(int templateId, int controlId, const std::string& className) {
    desktop().dialogControls[templateId].push_back({controlId, className});
}

std::vector<std::string> comboItems(HWND control) {
    const Window* w = detail::findWindow(control);
    return w ? w->comboItems : std::vector<std::string>{};
}

int comboSelection(HWND control) {
    const Window* w = detail::findWindow(control);
    return w ? w->comboSelection : CB_ERR;
}

} // namespace sim

namespace sim::detail {

void createDialogControls(HWND dialog, int templateId) {
    const auto it = desktop().dialogControls.find(templateId);
    if (it == desktop().dialogControls.end())
        return;
    for (const auto& [id, className] : it->second) {
        HWND control = sim::createWindow({"control:" + std::to_string(id), className, "", dialog});
        findWindow(control)->controlId = id;
    }
}

bool isComboBox(const Window& window) {
    return window.controlId != 0 && lower(window.className) == "combobox";
}

LRESULT comboMessage(Window& combo, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& items = combo.comboItems;
    const int count = static_cast<int>(items.size());
    const int index = static_cast<int>(wParam);
    const bool valid = index >= 0 && index < count;
    switch (msg) {
    case CB_RESETCONTENT:
        items.clear();
        combo.comboSelection = CB_ERR;
        return CB_OKAY;
    case CB_ADDSTRING: {
        const char* text = reinterpret_cast<const char*>(lParam);
        items.push_back(text ? text : "");
        return count;
    }
    case CB_GETCOUNT:
        return count;
    case CB_SETCURSEL:
        // An index past the end (or -1) clears the selection and answers CB_ERR.
        combo.comboSelection = valid ? index : CB_ERR;
        return valid ? index : CB_ERR;
    case CB_GETCURSEL:
        return combo.comboSelection;
    case CB_GETLBTEXTLEN:
        return valid ? static_cast<LRESULT>(items[index].size()) : CB_ERR;
    case CB_GETLBTEXT: {
        // Like Win32, the caller's buffer must hold the whole text and its terminator.
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!valid || !buffer)
            return CB_ERR;
        std::memcpy(buffer, items[index].c_str(), items[index].size() + 1);
        return static_cast<LRESULT>(items[index].size());
    }
    default:
        return 0;
    }
}

} // namespace sim::detail

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (sim::detail::findWindow(child)->controlId == nIDDlgItem)
            return child;
    SetLastError(1421); // ERROR_CONTROL_ID_NOT_FOUND
    return nullptr;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? SendMessageA(control, Msg, wParam, lParam) : 0;
}

BOOL WINAPI InvalidateRect(HWND, const RECT*, BOOL) {
    return TRUE;
}
