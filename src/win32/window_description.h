// What the program reads of another program's window: the file name of its program, its class and
// its title, each whole, as UTF-8. Read as Unicode, with calls that read what the system keeps for
// another process's window and send that program no message, so a program that hangs cannot stop
// the remote. The profiles match windows by it and the remote monitor shows it: a class copied
// from the monitor is the class a profile is compared with.
//
// The Windows builds read the system (window_description.cpp); the host tests give a window's
// description from the simulated desktop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct WindowDescription {
    std::string exe;       // its program's file name, without the folder ("vlc.exe")
    std::string className; // up to 256 characters, the most Windows gives a class name
    std::string title;
};

// Empty fields for what cannot be learnt (a window that is gone, a process that cannot be asked).
WindowDescription describeWindow(HWND window);
// The program's file name from the Tool Help process list alone, as systems without the Unicode
// query of later Windows learn it.
std::string programNameFromProcessList(DWORD processId);

// A top-level window of another program that a user sees: visible, with a title.
struct TopWindow {
    HWND window;
    WindowDescription description;
    WindowDescription owner; // of the window that owns it (empty when none does)
};
// Those of every program but this one, front first.
std::vector<TopWindow> visibleTopLevelWindows();
