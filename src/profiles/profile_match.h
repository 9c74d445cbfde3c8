// Which profile a window belongs to: by its program's file name, its class and its title.
#pragma once

#include "profiles/profile_parser.h"
#include "win32/window_description.h"

#include <windows.h>

// Every test the profile gives holds: the program's file name and the whole class name, and text
// that the title contains, each compared as text in any script with letter case ignored, as
// Windows compares file names.
bool matches(const Profile& profile, const WindowDescription& window);
// The first profile that matches the window, or else the top-level window that owns it; null
// when none does.
const Profile* profileOf(const ProfileSet& profiles, HWND window);
