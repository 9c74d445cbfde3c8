// Windows builds only: the simulated desktop has none of these calls.
#include "win32/wide_calls.h"

#include "win32/unicode_text.h"

#include <commctrl.h>

namespace {

// Terminated UTF-16, for the calls that take a string.
std::wstring wide(std::string_view text) {
    const std::u16string units = utf16FromUtf8(text);
    return {units.begin(), units.end()};
}

} // namespace

std::string utf8FromAnsi(std::string_view ansi) {
    if (ansi.empty())
        return {};
    const int length = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (units <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, reinterpret_cast<WCHAR*>(text.data()),
                        units);
    return utf8FromUtf16(text);
}

int showMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, wide(text).c_str(), wide(caption).c_str(), type);
}

void setDialogItemText(HWND dialog, int id, std::string_view text) {
    SetDlgItemTextW(dialog, id, wide(text).c_str());
}

void insertListColumn(HWND list, int column, std::string_view title) {
    std::wstring text = wide(title);
    LVCOLUMNW entry{};
    entry.mask = LVCF_TEXT | LVCF_SUBITEM;
    entry.pszText = text.data();
    entry.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
}

void setListCell(HWND list, int row, int column, std::string_view text) {
    std::wstring cell = wide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = cell.data();
    SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row,
                 reinterpret_cast<LPARAM>(&item));
}

int listTextWidth(HWND list, std::string_view text) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide(text).c_str())));
}
