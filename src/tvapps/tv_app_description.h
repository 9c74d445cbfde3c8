// Everything the program knows of one supported TV application: where its installer records it,
// how each part of the program recognises its main window, how it is asked to close, what each
// remote button sends it, and the commands that are its own code. Each application is described
// in a file of its own under apps/.
#pragma once

#include "tvapps/app_command.h"
#include "tvapps/window_search.h"

#include <windows.h>

class TvApp;

// Where it is installed: under HKEY_LOCAL_MACHINE, the value that holds the install folder, and
// the executable in that folder.
struct InstallFacts {
    const char* subkey;
    const char* valueName;
    const char* exeName;
};

// Its main window, and how each part of the program looks for it: by the class or by the title,
// as each search's Match says. bringUp always looks for a title that begins with `title`.
struct AppWindow {
    const char* className = "";
    const char* title = "";       // the whole title, or its beginning
    Match launch = Match::NONE;   // launch, before it starts a copy
    Match commands = Match::NONE; // the button commands
    Match quit = Match::NONE;     // the close command
    // Whether it runs, for the dispatcher, the app watch and the tray menu; NONE: it is no target
    // of the remote.
    Match running = Match::NONE;
};

// Recognised by its class everywhere (bringUp aside).
constexpr AppWindow byClass(const char* className, const char* title) {
    return {className, title, Match::CLASS, Match::CLASS, Match::CLASS, Match::CLASS};
}

// The window `match` finds for the application, by its class or its title; null when none does.
HWND findAppWindow(const AppWindow& window, Match match);

struct TvAppDescription {
    const char* name;        // in the Setting list and the tray menu
    const char* productName; // in "Can't run <productName>."
    const char* label;       // in the remote monitor
    InstallFacts install;
    AppWindow window;
    AppCommand quit;        // how it is asked to close
    ButtonMap buttons = {}; // empty: no button reaches it
    // Carries out one of its own commands (shape OWN) and returns the window it found; null when
    // it has none.
    HWND (*own)(const TvApp& app, UINT code) = nullptr;
    int defaultNumber = 0; // its "DefaultTVAPP" number; 0: it cannot be the default
};
