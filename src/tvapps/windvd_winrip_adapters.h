// InterVideo WinDVD 4 and InterVideo WinRip: not remote targets. The main window's commands
// close them and bring them up; each has only its own window search and close command.
#pragma once

#include "tvapps/tv_app.h"

class WinDvdAdapter : public TvApp {
public:
    using TvApp::TvApp;

    // The first child of the first top-level window titled exactly "InterVideo WinDVD 4".
    HWND findWindow();
    // Posts 'X' to that child window.
    BOOL quit();
};

class WinRipAdapter : public TvApp {
public:
    using TvApp::TvApp;

    // The first top-level window whose title contains "WinRip" anywhere.
    HWND findWindow();
    BOOL quit();
};

extern WinDvdAdapter WinDvdApp;
extern WinRipAdapter WinRipApp;
