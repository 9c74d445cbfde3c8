// Texts that name the program in every window, message box and registry entry it owns.
#pragma once

// Caption of the program's message boxes, its window title and its window class.
constexpr const char* PROGRAM_CAPTION = "QN520 Remote Control";
