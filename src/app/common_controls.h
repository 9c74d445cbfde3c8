// The common controls' window classes (the list views of the monitor and the teaching dialog).
#pragma once

#include <windows.h>

#include <string_view>

// Loads the library and registers its list view class, the first time it is asked for: a
// program that nobody looks at does not carry it. It stays loaded, as the class it registered
// must.
void loadListViewClass();

// The width of a list view column that shows the text whole: its width in the list's font and
// room for the list's own margins, which grow with the font (and so with the display's scale).
int columnWidthFor(HWND list, std::string_view text);
