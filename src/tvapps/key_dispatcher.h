// Where each decoded button goes: the open Shut Down prompt, the target application, the default
// application, the Shut Down prompt, the first application running, or the mouse emulation. And
// the app watch, which lets go of an application that was started here once its window is gone.
#pragma once

#include "remote/remote_button.h"
#include "settings/settings_store.h"
#include "tvapps/notice_box.h"
#include "tvapps/remote_state.h"
#include "tvapps/shell_port.h"
#include "tvapps/tv_apps.h"

class KeyDispatcher {
public:
    KeyDispatcher(TvApps& apps, Settings& settings, RemoteState& remote, NoticeBox& notices,
                  ShellPort& shell);

    // One decoded button (possibly BUTTON_SUPPRESSED).
    void dispatch(RemoteButton button);
    // Quits the other remote targets, then toggles the default one; other numbers do nothing.
    void switchToDefaultApp(int defaultAppNumber);
    // Closes the application when its window exists; otherwise brings it up and has the app watch
    // look after it once it is the target.
    int togglePower(AppId app);
    // Whether one of the remote targets is active (the dispatcher's target).
    bool targetActive() const;
    // Whether no remote target's window exists.
    bool noTvAppRunning() const;
    // The routine of the app watch's timer: one watched application per tick.
    void watchTick();

private:
    TvApp* currentTarget();
    void sendToTarget(TvApp& target, RemoteButton button);
    void powerWithNoTarget();
    void sendToFirstRunning(RemoteButton button);

    TvApps& apps;
    Settings& settings;
    RemoteState& remote;
    NoticeBox& notices;
    ShellPort& shell;
    // The remote targets in their order of precedence, and in the order they are looked for.
    const AppList targets;
    const AppList searchOrder;
};
