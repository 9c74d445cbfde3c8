// TEMPORARY, until the tvapps branch is merged: minimal stand-ins for the names the shell uses
// from src/tvapps and src/remote (TvApp's installed, active and bringUp; each adapter's quit;
// PointerArea; pollCycle and appWatchTick; the definitions of pollTimer and appWatchTimer).
// They find nothing and start nothing. Delete this file and tvapps_interim.cpp, and include the
// real headers in tv_app_links.cpp and pointer_area.cpp instead.
#pragma once

#include <windows.h>

class TvApp {
public:
    HWND bringUp() { return nullptr; }
    int installed = 0;
    int active = 0;
};

class InterimAdapter : public TvApp {
public:
    int quit() { return 0; }
};

extern InterimAdapter PowerVcrApp, HonestechApp, WinDvrApp, WinDvdApp, WinRipApp, LumenTvrApp;

struct InterimPointerArea {
    int left, top, right, bottom, mediumStep, largeStep;
};
extern InterimPointerArea PointerArea;
