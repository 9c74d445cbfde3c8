// The record of one supported TV application as the running program keeps it: whether it is
// installed (and where), whether it is the remote's target, and the window its last command
// found; and what can be done with it: find its window, start it, bring it up, close it, and carry
// out a button's command.
#pragma once

#include "tvapps/press_outcome.h"
#include "tvapps/tv_app_table.h"
#include "win32/message_box_guard.h"

#include <windows.h>

// The command line that starts an application never exceeds this size, terminator included.
constexpr int COMMAND_LINE_SIZE = 256;
constexpr int INSTALL_PATH_SIZE = 128;

class TvApp {
public:
    // Builds the record: looks up the install path.
    TvApp(AppId id, MessageBoxGuard& boxes);
    TvApp(const TvApp&) = delete;
    TvApp& operator=(const TvApp&) = delete;

    AppId id() const { return app; }
    const TvAppDescription& description() const { return describe(app); }

    // Reads the install path: text (REG_SZ, or REG_EXPAND_SZ expanded) that fits with its
    // terminator and names an absolute folder. Any other value counts as no value at all. Found,
    // the application is installed and not the target.
    void lookUpInstallPath();
    bool isInstalled() const { return installed; }
    const char* installPath() const { return path; }

    // The remote's target: it takes the buttons until it is closed or its watched window is gone.
    bool isTarget() const { return target; }
    void becomeTarget() { target = true; }
    void stopBeingTarget() { target = false; }

    // The first top-level window, hidden ones included, whose title begins with the title.
    HWND findWindowByTitle() const;
    // The window the application's commands go to.
    HWND findWindow() const;
    // Its window as the dispatcher and the app watch tell whether it runs; null for an application
    // that is no target of the remote.
    HWND findRunningWindow() const;
    // The application's window if it exists; otherwise starts the executable (and the started
    // application is the target).
    HWND launch();
    // Finds or starts the application and brings a window at hand to the front.
    HWND bringUp();
    // Asks the application to close when its window is found; it stops being the target then,
    // whatever became of the request.
    void quit();
    // The button's command in the application's map, carried out; nothing for a button it does not
    // map. Returns what was sent, or that nothing was.
    PressOutcome handleButton(RemoteButton button, bool japanMode);
    // Whether the application's map has a command of its own for the button.
    bool mapsButton(RemoteButton button) const;
    // The window the last command found (null when it found none).
    HWND lastWindowFound() const { return window; }

private:
    bool buildCommandLine(char (&line)[COMMAND_LINE_SIZE]) const;
    void reportStartFailure() const;

    AppId app;
    MessageBoxGuard& boxes;
    bool installed = false;
    bool target = false;
    char path[INSTALL_PATH_SIZE] = {};
    HWND window = nullptr;

    friend struct TvAppTestAccess; // the tests mark records installed without a registry value
};
