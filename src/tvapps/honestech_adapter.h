// honestech TV: recognised by its main window's class; every command is a posted key-down, so it
// never needs the keyboard focus.
#pragma once

#include "tvapps/tv_app.h"

class HonestechAdapter : public TvApp {
public:
    using TvApp::TvApp;

    HWND findWindow();
    // Posts 'O'; the application stops being the target once its window was found.
    BOOL quit();
    int togglePower();
    int handleButton(RemoteButton button);
};

extern HonestechAdapter HonestechApp;
