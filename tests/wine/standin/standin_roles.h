// The applications the stand-in TV application can take the place of, in one table that the
// stand-in and the harness share: how each is installed, the windows by which the
// remote-control program recognises it, and the command that closes it.
#pragma once

#include <windows.h>

// Player: a player of today, which the program knows only through the user's profiles.
enum class StandinRole { PowerVcr, Honestech, WinDvr, WinDvd, WinRip, LumenTvr, Player };

enum class CloseCommand {
    CtrlX,         // the chord Ctrl+X typed into the main window
    KeyO,          // a WM_KEYDOWN of 'O'
    KeyX,          // a WM_KEYDOWN of 'X'
    KeyXToChild,   // a WM_KEYDOWN of 'X' to the main window's first child
    CommandMessage // message 0x0BD0 with command 1
};

struct StandinApp {
    StandinRole role;
    const char* name;    // role name, as the role file and the log name it
    const char* exeName; // executable name the harness installs the stand-in under
    const char* subkey;  // under HKEY_LOCAL_MACHINE, the value that names the install folder
                         // (null: none)
    const char* valueName;
    const char* className; // main window class
    const char* title;     // main window title
    bool firstChild;       // the main window has a child window that takes the close key
    bool videoWindow;      // a second top-level window with a child titled "VideoWindow2"
    CloseCommand close;
};

const StandinApp& standinApp(StandinRole role);
// The role named `name` (case-insensitive), or the role whose executable name equals `exeName`
// when `name` is null or empty; null when none fits.
const StandinApp* findRole(const char* name, const char* exeName);
