#include "app/remote_monitor.h"

#include "app/common_controls.h"
#include "app/monitor_text.h"
#include "app/press_words.h"
#include "win32/clipboard.h"
#include "win32/wide_calls.h"

#include <commctrl.h>

namespace {

// WM_DPICHANGED (not in the headers of the program's oldest Windows): the dialog moved to a
// display of another scale, and the system scales it and its fonts after this message; the
// columns are measured again once that is done.
constexpr UINT DPI_CHANGED = 0x02E0;
constexpr UINT MEASURE_AGAIN = 0x8000 + 1; // WM_APP + 1

HWND list(HWND dialog) {
    return GetDlgItem(dialog, IDC_MONITOR_LIST);
}

void addColumns(HWND dialog) {
    for (int i = 0; i < COLUMN_COUNT; ++i)
        insertListColumn(list(dialog), i, COLUMN_TITLES[i]);
    SendMessageA(list(dialog), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
}

bool isCopyKey(LPARAM notification) {
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(notification);
    return key->hdr.code == LVN_KEYDOWN && key->wVKey == 'C' && (GetKeyState(VK_CONTROL) & 0x8000);
}

} // namespace

void RemoteMonitor::open(HINSTANCE instance, HWND owner) {
    loadListViewClass();
    show(instance, owner);
}

void describeForeground(PressRecord& entry) {
    entry.windowKnown = true;
    entry.window = describeWindow(entry.foreground);
    if (!entry.foreground)
        entry.window.title = "(none)";
    else if (!IsWindow(entry.foreground))
        entry.window.title = "(closed since)";
}

void RemoteMonitor::pressRecorded(unsigned press) {
    if (!isOpen())
        return;
    if (PressRecord* entry = log.find(press))
        describeForeground(*entry);
}

void RemoteMonitor::update() {
    HWND dialog = window();
    if (!dialog)
        return;
    showCard(dialog);
    setDialogItemText(dialog, IDC_MONITOR_COUNTS, countsText(log));
    if (log.changes != shownChanges)
        showPresses(dialog);
    if (profiles.loads() != shownLoads)
        showProfiles(dialog);
}

std::string RemoteMonitor::card() const {
    return cardText(device.filterName(), device.lastFailure());
}

// The profiles in use, as of the last press that reached them, and every problem of their file.
std::string RemoteMonitor::profilesShown() const {
    return profilesText(utf8FromAnsi(profiles.filePath()), profiles.inUse());
}

std::string RemoteMonitor::copy() const {
    return copyText(log, card(), profilesShown());
}

void RemoteMonitor::showProfiles(HWND dialog) {
    setDialogItemText(dialog, IDC_MONITOR_PROFILES, profilesShown());
    shownLoads = profiles.loads();
}

// Only a change is shown: the polls run 15 times a second, and a text set anew is drawn anew.
void RemoteMonitor::showCard(HWND dialog) {
    std::string text = card();
    if (text == shownCard)
        return;
    setDialogItemText(dialog, IDC_MONITOR_CARD, text);
    shownCard = std::move(text);
}

void RemoteMonitor::showPresses(HWND dialog) {
    HWND view = list(dialog);
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    // Each column as wide as its title or its widest cell, whatever the font: nothing is clipped.
    int widths[COLUMN_COUNT];
    for (int column = 0; column < COLUMN_COUNT; ++column)
        widths[column] = columnWidthFor(view, COLUMN_TITLES[column]);
    for (int row = 0; row < log.entries(); ++row) {
        const PressRecord& entry = log.newestFirst(row);
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            const std::string text = columnText(entry, static_cast<Column>(column));
            setListCell(view, row, column, text);
            const int width = columnWidthFor(view, text);
            widths[column] = width > widths[column] ? width : widths[column];
        }
    }
    for (int column = 0; column < COLUMN_COUNT; ++column)
        SendMessageA(view, LVM_SETCOLUMNWIDTH, column, widths[column]);
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
    shownChanges = log.changes;
}

void RemoteMonitor::onInitDialog(HWND dialog) {
    shownCard.clear();
    // The presses of before the monitor opened are shown with their windows as they are now.
    for (int row = 0; row < log.entries(); ++row) {
        PressRecord* entry = log.find(log.newestFirst(row).serial);
        if (entry && !entry->windowKnown)
            describeForeground(*entry);
    }
    addColumns(dialog);
    showCard(dialog);
    setDialogItemText(dialog, IDC_MONITOR_COUNTS, countsText(log));
    showPresses(dialog);
    showProfiles(dialog);
}

INT_PTR RemoteMonitor::onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        return TRUE;
    case DPI_CHANGED:
        PostMessageA(dialog, MEASURE_AGAIN, 0, 0);
        return FALSE; // the dialog's own scaling follows
    case MEASURE_AGAIN:
        showPresses(dialog);
        return TRUE;
    case WM_NOTIFY:
        if (wParam == IDC_MONITOR_LIST && isCopyKey(lParam)) {
            copyToClipboard(dialog, copy());
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MONITOR_COPY:
            copyToClipboard(dialog, copy());
            return TRUE;
        case IDC_MONITOR_TEACH: // opened by the main window, as from the icon's menu
            PostMessageA(GetWindow(dialog, GW_OWNER), WM_COMMAND, IDM_TEACH, 0);
            return TRUE;
        case IDCANCEL: // Escape, the close box and Close
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
