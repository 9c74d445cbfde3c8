// The title and class name of any window, this process's or another's, as text.
#pragma once

#include <windows.h>

#include <string>

std::string windowText(HWND window);
std::string windowClass(HWND window);
