// Which profile a window belongs to: by its program's file name, its class and its title.
#pragma once

#include "tvapps/profile_file.h"
#include "win32/process_name.h"

#include <windows.h>

#include <string>

// A window as the profiles test it.
struct WindowIdentity {
    char exe[PROGRAM_NAME_SIZE] = "";
    char className[256] = "";
    std::string title; // whole, however long
};

void identify(HWND window, WindowIdentity& identity);
// Every test the profile gives holds: the program's file name (in any letter case, as Windows
// compares file names), the whole class name, and text that the title contains, ignoring case.
bool matches(const Profile& profile, const WindowIdentity& window);
// The first profile that matches the window, or else the top-level window that owns it; null
// when none does.
const Profile* profileOf(const ProfileSet& profiles, HWND window);
