// InterVideo WinDVR: recognised by its exact title; driven by posted key-downs with complete
// lParams, its private message 0x038F, and one chord.
#pragma once

#include "tvapps/tv_app.h"

// WinDVR's private command message.
constexpr UINT WINDVR_COMMAND_MESSAGE = 0x038F;

class WinDvrAdapter : public TvApp {
public:
    using TvApp::TvApp;

    // The first top-level window titled exactly "InterVideo WinDVR".
    HWND findWindow();
    // Posts 'X' to the first window whose title begins with "InterVideo WinDVR".
    BOOL quit();
    int togglePower();
    int handleButton(RemoteButton button);
    void toggleMinimised();
};

extern WinDvrAdapter WinDvrApp;
