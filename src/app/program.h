// Everything the running program keeps, built at start-up and owned here. The main window's user
// data leads to it from the window procedure and the timers.
#pragma once

#include "app/shell.h"
#include "remote/capture_device.h"
#include "settings/settings_store.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/notice_box.h"
#include "tvapps/remote_state.h"
#include "tvapps/tv_apps.h"

class Program {
public:
    // Builds the records of the TV applications first: they read their install paths.
    explicit Program(HINSTANCE instance);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the 65 ms poll of the remote on the main window and settles Japan mode.
    void startPolling();
    // Gives the app watch its owner and period; the Power toggle starts it.
    void prepareAppWatch();

    NoticeBox notices;
    TvApps apps;
    Settings settings;
    RemoteState remote;
    CaptureDevice device;
    Shell shell;
    KeyDispatcher dispatcher;
};

// The program whose main window (or a window it owns timers on) this is; null before the window
// has been given it.
Program* programOf(HWND window);
