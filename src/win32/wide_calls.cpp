// Windows builds only: the simulated desktop has none of these calls.
#include "win32/wide_calls.h"

#include "win32/unicode_text.h"

#include <commctrl.h>

std::wstring wideText(std::string_view text) {
    const std::u16string units = utf16FromUtf8(text);
    return {units.begin(), units.end()};
}

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

bool ansiFromUtf8(std::string_view text, std::string& ansi) {
    ansi.clear();
    if (text.empty())
        return true;
    const std::u16string units = utf16FromUtf8(text);
    const auto* source = reinterpret_cast<const WCHAR*>(units.data());
    const int count = static_cast<int>(units.size());
    // No "best fit": a letter the code page lacks is lost, not written as a look-alike.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, flags, source, count, nullptr, 0, nullptr, &lost);
    if (bytes <= 0 || lost)
        return false;
    ansi.assign(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, source, count, ansi.data(), bytes, nullptr, &lost);
    if (lost)
        ansi.clear();
    return !lost;
}

std::string systemErrorText(DWORD error) {
    WCHAR text[512];
    const DWORD units =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, text, sizeof text / sizeof text[0], nullptr);
    std::string words =
        utf8FromUtf16({reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(units)});
    words.erase(words.find_last_not_of(" .\r\n") + 1);
    return words.empty() ? "error " + std::to_string(error) : words;
}

int showMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, wideText(text).c_str(), wideText(caption).c_str(), type);
}

void setDialogItemText(HWND dialog, int id, std::string_view text) {
    SetDlgItemTextW(dialog, id, wideText(text).c_str());
}

void insertListColumn(HWND list, int column, std::string_view title) {
    std::wstring text = wideText(title);
    LVCOLUMNW entry{};
    entry.mask = LVCF_TEXT | LVCF_SUBITEM;
    entry.pszText = text.data();
    entry.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
}

void setListCell(HWND list, int row, int column, std::string_view text) {
    std::wstring cell = wideText(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = cell.data();
    SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row,
                 reinterpret_cast<LPARAM>(&item));
}

int listTextWidth(HWND list, std::string_view text) {
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0,
                                         reinterpret_cast<LPARAM>(wideText(text).c_str())));
}
