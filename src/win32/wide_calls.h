// The system's Unicode calls for the program's UTF-8 text, and the ANSI code page's conversions:
// the Win32 that the simulated desktop of the host tests does not have, reached here alone. The
// Windows builds call the system (wide_calls.cpp); the host tests give a small fake.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Text in the system's ANSI code page as UTF-8.
std::string utf8FromAnsi(std::string_view ansi);
// UTF-8 text in the ANSI code page; false, leaving `ansi` empty, when a character has no form
// there.
bool ansiFromUtf8(std::string_view text, std::string& ansi);
// What the system says of one of its errors, as UTF-8, without the ending.
std::string systemErrorText(DWORD error);

// The UTF-8 text as the terminated UTF-16 that the W calls take (the Windows builds' dialogs).
std::wstring wideText(std::string_view text);

// MessageBoxW: returns what it returns.
int showMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);
// The text of a dialog's control.
void setDialogItemText(HWND dialog, int id, std::string_view text);
// A report list view's column title, a cell (column 0 inserts the row), and a text's width in
// the list's font.
void insertListColumn(HWND list, int column, std::string_view title);
void setListCell(HWND list, int row, int column, std::string_view text);
int listTextWidth(HWND list, std::string_view text);
