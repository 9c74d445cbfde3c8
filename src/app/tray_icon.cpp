#include "app/tray_icon.h"

#include <shellapi.h>

#include <cstddef>

namespace {

// The first layout of the record, which every shell since Windows 95 takes: its size is that
// of the fields up to a 64-byte tip.
constexpr int TIP_SIZE = 64;
static_assert(sizeof(void*) != 4 || offsetof(NOTIFYICONDATAA, szTip) + TIP_SIZE == 88,
              "the first-version record is 88 bytes in the 32-bit build");
const DWORD RECORD_SIZE = NOTIFYICONDATAA_V1_SIZE;

NOTIFYICONDATAA iconRecord;
// Between adding and removing: a shell restart after an ending path brings nothing back.
bool iconShown = false;

} // namespace

void addTrayIcon(HWND window, UINT iconId, HICON icon, const char* tip) {
    iconRecord = NOTIFYICONDATAA{};
    iconRecord.cbSize = RECORD_SIZE;
    iconRecord.hWnd = window;
    iconRecord.uID = iconId;
    iconRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconRecord.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    iconRecord.hIcon = icon;
    lstrcpynA(iconRecord.szTip, tip ? tip : "", TIP_SIZE);
    Shell_NotifyIconA(NIM_ADD, &iconRecord);
    iconShown = true;
}

void refreshTrayIcon() {
    Shell_NotifyIconA(NIM_MODIFY, &iconRecord);
}

void restoreTrayIcon() {
    if (!iconShown)
        return;
    // TaskbarCreated also arrives when the shell only changed its DPI and kept the icon; the
    // add then fails and the icon is updated instead.
    if (!Shell_NotifyIconA(NIM_ADD, &iconRecord))
        Shell_NotifyIconA(NIM_MODIFY, &iconRecord);
}

void removeTrayIcon(HWND window) {
    NOTIFYICONDATAA record{};
    record.cbSize = RECORD_SIZE;
    record.hWnd = window;
    record.uID = TRAY_ICON_ID;
    Shell_NotifyIconA(NIM_DELETE, &record);
    iconShown = false;
}
