// Putting text on the clipboard, as Unicode: the clipboard is opened and closed again within the
// call, and the memory handed to it is freed unless the clipboard took it. The Windows builds
// use the system's clipboard (clipboard.cpp); the host tests give a small fake.
#pragma once

#include <windows.h>

#include <string_view>

// The UTF-8 text on the clipboard, owned by `owner`; false when the clipboard could not be had.
bool copyToClipboard(HWND owner, std::string_view text);
