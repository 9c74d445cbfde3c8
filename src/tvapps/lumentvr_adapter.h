// LumenTVR: recognised by its main window's class; every command is its private message
// 0x0BD0 (WM_USER + 2000) posted with a command id.
#pragma once

#include "tvapps/tv_app.h"

constexpr UINT LUMENTVR_COMMAND_MESSAGE = WM_USER + 2000;
// Command ids that the dispatcher and the close command post.
constexpr WPARAM LUMENTVR_CLOSE = 1;
constexpr WPARAM LUMENTVR_BUTTON_20 = 6000;
constexpr WPARAM LUMENTVR_BUTTON_21 = 5001;

class LumenTvrAdapter : public TvApp {
public:
    using TvApp::TvApp;

    // The first top-level window of class "LUMEN_TVR", whatever its title.
    HWND findWindow();
    BOOL postCommand(WPARAM id);
    // Posts command 1; the application stops being the target once its window was found.
    BOOL quit();
    int togglePower();
    int handleButton(RemoteButton button);
};

extern LumenTvrAdapter LumenTvrApp;
