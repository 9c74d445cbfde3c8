// CyberLink PowerVCR II: recognised by its main window's class, driven by posted keys and by
// key chords typed into it.
#pragma once

#include "tvapps/tv_app.h"

class PowerVcrAdapter : public TvApp {
public:
    using TvApp::TvApp;

    HWND findWindow();
    // Ctrl+X to the main window; the application stops being the target once it was found.
    HWND quit();
    int togglePower();
    int handleButton(RemoteButton button);

    // The top-level window (of any application) with a direct child titled "VideoWindow2".
    HWND findVideoWindow();
    // Keeps PowerVCR II from asking about the capture device before it records.
    void setDisableCapDlg();
    // Minimises or restores the main window and the video window, each by its own state.
    void toggleMinimised();

private:
    int record();
};

extern PowerVcrAdapter PowerVcrApp;
