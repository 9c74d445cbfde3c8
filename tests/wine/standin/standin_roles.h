// What the stand-in TV application shows for each application it can take the place of: the
// windows by which the remote-control program recognises it, and the command that closes it.
#pragma once

#include <windows.h>

enum class CloseCommand {
    CtrlX,         // the chord Ctrl+X typed into the main window
    KeyO,          // a WM_KEYDOWN of 'O'
    KeyX,          // a WM_KEYDOWN of 'X'
    KeyXToChild,   // a WM_KEYDOWN of 'X' to the main window's first child
    CommandMessage // message 0x0BD0 with command 1
};

struct StandinRole {
    const char* name;      // role name, also the label of the main window in the log
    const char* exeName;   // executable name the harness installs the stand-in under
    const char* className; // main window class
    const char* title;     // main window title
    bool firstChild;       // the main window has a child window that takes the close key
    bool videoWindow;      // a second top-level window with a child titled "VideoWindow2"
    CloseCommand close;
};

// The role named `name` (case-insensitive), or the role whose executable name equals `exeName`
// when `name` is null or empty; null when none fits.
const StandinRole* findRole(const char* name, const char* exeName);
