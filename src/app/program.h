// Everything the running program keeps, built at start-up and owned here. The main window's user
// data leads to it from the window procedure and the timers; the window goes before the program
// does, so no message ever reaches a program that is being taken apart.
#pragma once

#include "app/press_log.h"
#include "app/shell.h"
#include "remote/capture_device.h"
#include "remote/key_decoder.h"
#include "settings/settings_store.h"
#include "tvapps/app_watch.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/mouse_emulator.h"
#include "profiles/profiles.h"
#include "tvapps/tv_apps.h"
#include "win32/message_box_guard.h"

class Program {
public:
    // Builds the records of the TV applications first: they read their install paths.
    explicit Program(HINSTANCE instance);
    // Destroys the main window before anything else goes: no message can reach the program after.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The window's creation: opens the capture device (noting when it is missing), measures the
    // screen for the mouse emulation and adds the tray icon.
    void onWindowCreated(HWND window);
    // Starts the 65 ms poll of the remote on the main window and settles Japan mode.
    void startPolling();
    // Gives the app watch its owner and period; the Power toggle starts it.
    void prepareAppWatch();
    // One poll of the remote: the register read, decoded and dispatched, and kept for the remote
    // monitor.
    void poll();
    void watchTick() { watch.tick(apps); }
    // The program's icon for the tray, at the small-icon size of the display's scale now.
    HICON trayIconImage() const;
    // After a resume from sleep the card's driver may have been restarted, and a key seen before
    // the sleep is no held key: the capture device is opened afresh at the next read and the last
    // key forgotten.
    void resumeRemoteInput();

    // The members are built in the order written here, which the public and private sections
    // interleave to keep: each is built after everything it is handed, the guard of the boxes
    // first (all but the settings show through it), then the TV applications' records (which
    // read their install paths first, as they always have), the shell (given the records, the
    // settings, the press log, the device and the profiles) and the dispatcher last (given
    // nearly everything). They go in the reverse order, after the main window (~Program).
private:
    MessageBoxGuard boxes; // one box at a time, of all the boxes the remote raises

public:
    TvApps apps;
    Settings settings;
    MouseEmulation mouse;

private:
    KeyDecoder decoder;
    AppWatch watch;
    CaptureDevice device;
    PressLog presses; // kept for the remote monitor, open or not

public:
    Profiles profiles; // the main window's command opens the file
    Shell shell;

private:
    // A new press: the time, the window in front, the register's code, kept for the monitor.
    unsigned recordPress(DWORD value, RemoteButton button);
    // What the press is for: the prompt, the teaching dialog or the dispatcher.
    PressOutcome act(const KeyPress& press);

    KeyDispatcher dispatcher;

    friend class ProgramTest; // the unit tests' fixture reaches every part
};

// The program whose main window (or a window it owns timers on) this is; null before the window
// has been given it and once it is going.
Program* programOf(HWND window);
