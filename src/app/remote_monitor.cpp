#include "app/remote_monitor.h"

#include "app/press_words.h"
#include "tvapps/window_search.h"
#include "win32/owned.h"
#include "win32/process_name.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Room beside a column's text: the list's own margins and the title's divider.
constexpr int CELL_MARGIN = 14;
constexpr std::size_t COPY_SIZE = 16384;

HWND list(HWND dialog) {
    return GetDlgItem(dialog, IDC_MONITOR_LIST);
}

void addColumns(HWND dialog) {
    for (int i = 0; i < COLUMN_COUNT; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(COLUMN_TITLES[i]);
        column.iSubItem = i;
        SendMessageA(list(dialog), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list(dialog), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
}

// The width the text needs in the list's font.
int textWidth(HWND view, const char* text) {
    return static_cast<int>(
               SendMessageA(view, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text))) +
           CELL_MARGIN;
}

void setCell(HWND view, int row, int column, const char* text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(view, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, row,
                 reinterpret_cast<LPARAM>(&item));
}

bool isCopyKey(LPARAM notification) {
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(notification);
    return key->hdr.code == LVN_KEYDOWN && key->wVKey == 'C' && (GetKeyState(VK_CONTROL) & 0x8000);
}

// Appends to the text, cut to fit; returns the new length.
std::size_t append(char* text, std::size_t size, std::size_t length, const char* more) {
    const int written = std::snprintf(text + length, size - length, "%s", more);
    const std::size_t room = size - length - 1;
    return length + (written < 0 ? 0 : (static_cast<std::size_t>(written) < room ? written : room));
}

} // namespace

// The list view's window class, from the common controls. The library is loaded the first time the
// monitor opens, not at start-up: a program that nobody looks at does not carry it. It stays
// loaded afterwards, as the class it registered must.
void registerListView() {
    static bool loaded = false; // once for the process, as the library is
    if (loaded)
        return;
    loaded = true;
    HMODULE controls = LoadLibraryA("comctl32.dll");
    using Initialise = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    FARPROC found = controls ? GetProcAddress(controls, "InitCommonControlsEx") : nullptr;
    const auto initialise = reinterpret_cast<Initialise>(reinterpret_cast<void*>(found));
    const INITCOMMONCONTROLSEX wanted{sizeof wanted, ICC_LISTVIEW_CLASSES};
    // Without it the dialog cannot be made, and showing it fails harmlessly.
    if (initialise)
        initialise(&wanted);
}

void RemoteMonitor::open(HINSTANCE instance, HWND owner) {
    registerListView();
    show(instance, owner);
}

void describeWindow(HWND window, WindowFacts& facts) {
    facts = WindowFacts{};
    facts.known = true;
    if (!window || !IsWindow(window)) {
        lstrcpynA(facts.title, window ? "(closed since)" : "(none)", sizeof facts.title);
        return;
    }
    programNameOfWindow(window, facts.exe);
    if (GetClassNameA(window, facts.className, sizeof facts.className) == 0)
        facts.className[0] = 0;
    char title[WINDOW_TITLE_SIZE];
    readWindowTitle(window, title);
    lstrcpynA(facts.title, title, sizeof facts.title);
}

void RemoteMonitor::pressRecorded(unsigned press) {
    if (!isOpen())
        return;
    if (PressRecord* entry = log.find(press))
        describeWindow(entry->foreground, entry->window);
}

void RemoteMonitor::update() {
    HWND dialog = window();
    if (!dialog)
        return;
    showCard(dialog);
    showCounts(dialog);
    if (log.changes != shownChanges)
        showPresses(dialog);
    if (profiles.loads != shownLoads)
        showProfiles(dialog);
}

// The profiles in use, as of the last press that reached them, and every problem of their file.
std::string RemoteMonitor::profilesText() const {
    const ProfileSet& set = profiles.inUse();
    std::string text = std::string("Profiles from ") +
                       (profiles.filePath()[0] ? profiles.filePath() : "(no place: no APPDATA)") +
                       ":";
    if (set.profiles.empty())
        text += " none";
    for (const Profile& profile : set.profiles)
        text += "  [" + profile.name + "]";
    for (const ProfileProblem& problem : set.problems)
        text += "\r\n" +
                (problem.line ? "line " + std::to_string(problem.line) : std::string("the file")) +
                ": " + problem.text;
    return text;
}

void RemoteMonitor::showProfiles(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_MONITOR_PROFILES, profilesText().c_str());
    shownLoads = profiles.loads;
}

void RemoteMonitor::formatCard(char (&text)[CARD_TEXT_SIZE]) const {
    const char* name = device.filterName();
    const CaptureDevice::Failure failure = device.lastFailure();
    if (failure.what)
        std::snprintf(text, sizeof text, "Capture filter: %s    Reads fail: %s (status 0x%08lX)",
                      name ? name : "none found", failure.what,
                      static_cast<unsigned long>(failure.status));
    else
        std::snprintf(text, sizeof text, "Capture filter: %s", name ? name : "none found");
}

// Only a change is shown: the polls run 15 times a second, and a text set anew is drawn anew.
void RemoteMonitor::showCard(HWND dialog) {
    char text[CARD_TEXT_SIZE];
    formatCard(text);
    if (std::strcmp(text, shownCard) == 0)
        return;
    SetDlgItemTextA(dialog, IDC_MONITOR_CARD, text);
    std::memcpy(shownCard, text, sizeof shownCard);
}

void RemoteMonitor::showCounts(HWND dialog) {
    char text[96];
    std::snprintf(text, sizeof text, "Reads: %u    Presses: %u    Failed reads: %u", log.reads,
                  log.newest(), log.failedReads);
    SetDlgItemTextA(dialog, IDC_MONITOR_COUNTS, text);
}

void RemoteMonitor::showPresses(HWND dialog) {
    HWND view = list(dialog);
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    // Each column as wide as its title or its widest cell, whatever the font: nothing is clipped.
    int widths[COLUMN_COUNT];
    for (int column = 0; column < COLUMN_COUNT; ++column)
        widths[column] = textWidth(view, COLUMN_TITLES[column]);
    for (int row = 0; row < log.entries(); ++row) {
        const PressRecord& entry = log.newestFirst(row);
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            char text[WORDS_SIZE];
            columnText(entry, static_cast<Column>(column), text);
            setCell(view, row, column, text);
            const int width = textWidth(view, text);
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
    shownCard[0] = 0;
    // The presses of before the monitor opened are shown with their windows as they are now.
    for (int row = 0; row < log.entries(); ++row) {
        PressRecord* entry = log.find(log.newestFirst(row).serial);
        if (entry && !entry->window.known)
            describeWindow(entry->foreground, entry->window);
    }
    addColumns(dialog);
    showCard(dialog);
    showCounts(dialog);
    showPresses(dialog);
    showProfiles(dialog);
}

// The title row (-1) or an entry's cell.
void RemoteMonitor::cellText(int row, int column, char (&text)[WORDS_SIZE]) const {
    if (row < 0)
        lstrcpynA(text, COLUMN_TITLES[column], sizeof text);
    else
        columnText(log.newestFirst(row), static_cast<Column>(column), text);
}

std::size_t RemoteMonitor::copyText(char* text, std::size_t size) const {
    if (size == 0)
        return 0;
    text[0] = 0;
    char line[CARD_TEXT_SIZE];
    formatCard(line);
    std::size_t length = append(text, size, 0, line);
    std::snprintf(line, sizeof line, "\r\nReads: %u    Presses: %u    Failed reads: %u\r\n",
                  log.reads, log.newest(), log.failedReads);
    length = append(text, size, length, line);
    length = append(text, size, length, (profilesText() + "\r\n").c_str());
    // Each column as wide as its widest cell, so that the columns line up in any fixed font.
    int widths[COLUMN_COUNT] = {};
    char cell[WORDS_SIZE];
    for (int row = -1; row < log.entries(); ++row)
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            cellText(row, column, cell);
            const int width = static_cast<int>(std::strlen(cell));
            widths[column] = width > widths[column] ? width : widths[column];
        }
    for (int row = -1; row < log.entries(); ++row) {
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            cellText(row, column, cell);
            // The last column needs no padding after it.
            const int width = column + 1 < COLUMN_COUNT ? widths[column] + 2 : 0;
            char padded[WORDS_SIZE + 4];
            std::snprintf(padded, sizeof padded, "%-*s", width, cell);
            length = append(text, size, length, padded);
        }
        while (length > 0 && text[length - 1] == ' ') // empty cells at the end of the line
            text[--length] = 0;
        length = append(text, size, length, "\r\n");
    }
    return length;
}

void RemoteMonitor::copyToClipboard(HWND dialog) const {
    char text[COPY_SIZE];
    const std::size_t length = copyText(text, sizeof text);
    if (!OpenClipboard(dialog))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length + 1)) {
        if (void* copy = GlobalLock(memory)) {
            std::memcpy(copy, text, length + 1);
            GlobalUnlock(memory);
            // The clipboard owns the memory once it took it.
            if (!SetClipboardData(CF_TEXT, memory))
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

INT_PTR RemoteMonitor::onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        return TRUE;
    case WM_NOTIFY:
        if (wParam == IDC_MONITOR_LIST && isCopyKey(lParam)) {
            copyToClipboard(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MONITOR_COPY:
            copyToClipboard(dialog);
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
