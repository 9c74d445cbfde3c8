#include "app/tray_icon.h"

#include <cstddef>

namespace {

// The first layout of the record, which every shell since Windows 95 takes: its size is that
// of the fields up to a 64-byte tip.
constexpr int TIP_SIZE = 64;
static_assert(sizeof(void*) != 4 || offsetof(NOTIFYICONDATAA, szTip) + TIP_SIZE == 88,
              "the first-version record is 88 bytes in the 32-bit build");
const DWORD RECORD_SIZE = NOTIFYICONDATAA_V1_SIZE;

} // namespace

void TrayIcon::add(HWND window, UINT iconId, HICON icon, const char* tip) {
    record = NOTIFYICONDATAA{};
    record.cbSize = RECORD_SIZE;
    record.hWnd = window;
    record.uID = iconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    record.hIcon = icon;
    lstrcpynA(record.szTip, tip ? tip : "", TIP_SIZE);
    Shell_NotifyIconA(NIM_ADD, &record);
    shown = true;
    taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
}

void TrayIcon::refresh() {
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

void TrayIcon::restore(HICON icon) {
    if (!shown)
        return;
    record.hIcon = icon;
    // TaskbarCreated also arrives when the shell only changed its DPI and kept the icon; the
    // add then fails and the icon is updated instead.
    if (!Shell_NotifyIconA(NIM_ADD, &record))
        Shell_NotifyIconA(NIM_MODIFY, &record);
}

void TrayIcon::remove() {
    if (!shown)
        return;
    NOTIFYICONDATAA deleted{};
    deleted.cbSize = RECORD_SIZE;
    deleted.hWnd = record.hWnd;
    deleted.uID = record.uID;
    Shell_NotifyIconA(NIM_DELETE, &deleted);
    shown = false;
}
