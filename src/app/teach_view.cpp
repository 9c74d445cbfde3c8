// Windows builds only: the simulated desktop has no list view, check box or Unicode list.
#include "app/teach_view.h"

#include "app/common_controls.h"
#include "app/teach_dialog.h"
#include "keys/key_chord.h"
#include "win32/wide_calls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int KEY_NAME_SIZE = 32;
constexpr const char* COLUMN_TITLES[] = {"Action", "Key", "Remote button"};
// WM_DPICHANGED: the system scales the dialog and its fonts after it; the columns are measured
// again (by the refresh) once that is done.
constexpr UINT DPI_CHANGED = 0x02E0;
constexpr UINT MEASURE_AGAIN = WM_APP + 1;

struct Modifier {
    int control;
    BYTE vk;
};
constexpr Modifier MODIFIERS[] = {
    {IDC_TEACH_CTRL, VK_CONTROL},
    {IDC_TEACH_ALT, VK_MENU},
    {IDC_TEACH_SHIFT, VK_SHIFT},
    {IDC_TEACH_WIN, VK_LWIN},
};

HWND item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

void fillPrograms(TeachDialog& teach, HWND dialog) {
    HWND list = item(dialog, IDC_TEACH_PROGRAM);
    for (const ProgramChoice& choice : teach.programs())
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wideText(choice.label).c_str()));
    SendMessageW(list, CB_SETCURSEL, teach.program(), 0);
}

void fillKeys(HWND dialog) {
    HWND list = item(dialog, IDC_TEACH_KEY);
    const std::vector<std::string> names = everyKeyName();
    // Drawn once, not once for each of the names.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, CB_INITSTORAGE, names.size(), names.size() * 12);
    for (const std::string& name : names)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void fillRows(HWND dialog) {
    HWND list = item(dialog, IDC_TEACH_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0); // the refresh that follows draws it
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < 3; ++column)
        insertListColumn(list, column, COLUMN_TITLES[column]);
    for (int row = 0; row < TAUGHT_ACTIONS; ++row)
        setListCell(list, row, 0, TAUGHT_ACTION_NAMES[row]);
}

// The key chooser shows the selected row's key: its name and its modifiers.
void showKeyOf(const TaughtAction* action, HWND dialog) {
    KeyChord chord;
    std::string problem;
    const bool known = action && chordByName(action->key, chord, problem);
    for (const Modifier& modifier : MODIFIERS) {
        bool held = false;
        for (int i = 0; known && i + 1 < chord.count; ++i)
            held = held || chord.keys[i].vk == modifier.vk;
        CheckDlgButton(dialog, modifier.control, held ? BST_CHECKED : BST_UNCHECKED);
    }
    char name[16] = "";
    if (known)
        keyName(chord.keys[chord.count - 1].vk, name);
    HWND keys = item(dialog, IDC_TEACH_KEY);
    const LRESULT index =
        known ? SendMessageA(keys, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name)) : CB_ERR;
    SendMessageA(keys, CB_SETCURSEL, index, 0);
}

void setKey(TeachDialog& teach, HWND dialog) {
    HWND keys = item(dialog, IDC_TEACH_KEY);
    const LRESULT index = SendMessageA(keys, CB_GETCURSEL, 0, 0);
    char name[KEY_NAME_SIZE] = "";
    if (index == CB_ERR || SendMessageA(keys, CB_GETLBTEXTLEN, index, 0) >= KEY_NAME_SIZE)
        return;
    SendMessageA(keys, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
    bool held[4];
    for (int i = 0; i < 4; ++i)
        held[i] = IsDlgButtonChecked(dialog, MODIFIERS[i].control) == BST_CHECKED;
    teach.teaching().setKey(keyText(name, held[0], held[1], held[2], held[3]));
}

void selectRow(HWND list, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0)
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

// A row the user selected, by mouse or keyboard, is the one taught next.
void onListChanged(TeachDialog& teach, HWND dialog, const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || !(change.uNewState & LVIS_SELECTED) ||
        change.iItem == teach.teaching().selected())
        return;
    teach.teaching().select(change.iItem);
    teachViewRefresh(teach, dialog);
}

INT_PTR onCommand(TeachDialog& teach, HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_TEACH_PROGRAM:
        if (HIWORD(wParam) != CBN_SELCHANGE)
            return FALSE;
        teach.chooseProgram(
            static_cast<int>(SendMessageA(item(dialog, IDC_TEACH_PROGRAM), CB_GETCURSEL, 0, 0)));
        break;
    case IDC_TEACH_SET_KEY:
        setKey(teach, dialog);
        break;
    case IDC_TEACH_SKIP:
        teach.teaching().skip();
        break;
    case IDOK:
        if (teach.save(dialog))
            EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL: // Cancel, Escape and the close box: nothing is written
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
    teachViewRefresh(teach, dialog);
    return TRUE;
}

} // namespace

void teachViewRefresh(TeachDialog& teach, HWND dialog) {
    Teaching& teaching = teach.teaching();
    setDialogItemText(dialog, IDC_TEACH_LINE, teaching.line());
    HWND list = item(dialog, IDC_TEACH_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    // Each column as wide as its title or its widest cell, in whatever font: nothing clipped.
    int widths[3];
    for (int column = 0; column < 3; ++column)
        widths[column] = columnWidthFor(list, COLUMN_TITLES[column]);
    for (int row = 0; row < TAUGHT_ACTIONS; ++row) {
        const TaughtAction& action = teaching.action(row);
        const std::string cells[3] = {TAUGHT_ACTION_NAMES[row], action.key,
                                      action.button ? std::to_string(*action.button) : ""};
        for (int column = 1; column < 3; ++column)
            setListCell(list, row, column, cells[column]);
        for (int column = 0; column < 3; ++column)
            widths[column] = std::max(widths[column], columnWidthFor(list, cells[column]));
    }
    for (int column = 0; column < 3; ++column)
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, widths[column]);
    selectRow(list, teaching.selected());
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    const int row = teaching.selected();
    showKeyOf(row >= 0 ? &teaching.action(row) : nullptr, dialog);
    EnableWindow(item(dialog, IDOK), teaching.canSave() && !teach.programs().empty());
}

INT_PTR teachViewMessage(TeachDialog& teach, HWND dialog, UINT message, WPARAM wParam,
                         LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        fillPrograms(teach, dialog);
        fillKeys(dialog);
        fillRows(dialog);
        teachViewRefresh(teach, dialog);
        return TRUE;
    case WM_COMMAND:
        return onCommand(teach, dialog, wParam);
    case DPI_CHANGED:
        PostMessageA(dialog, MEASURE_AGAIN, 0, 0);
        return FALSE;
    case MEASURE_AGAIN:
        teachViewRefresh(teach, dialog);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_TEACH_LIST && header->code == LVN_ITEMCHANGED)
            onListChanged(teach, dialog, *reinterpret_cast<const NMLISTVIEW*>(lParam));
        return FALSE;
    }
    default:
        return FALSE;
    }
}
