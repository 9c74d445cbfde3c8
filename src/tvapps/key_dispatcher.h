// Where each decoded button goes: the open Shut Down prompt, the target application, the default
// application, the Shut Down prompt, the first application running, the profile of the window in
// front, or the mouse emulation.
#pragma once

#include "remote/key_decoder.h"
#include "settings/settings_store.h"
#include "tvapps/app_watch.h"
#include "tvapps/mouse_emulator.h"
#include "tvapps/press_outcome.h"
#include "profiles/profiles.h"
#include "tvapps/shell_port.h"
#include "tvapps/tv_apps.h"

class KeyDispatcher : public RepeatTarget {
public:
    KeyDispatcher(TvApps& apps, const Settings& settings, MouseEmulation& mouse, Profiles& profiles,
                  AppWatch& watch, MessageBoxGuard& boxes, ShellPort& shell);

    // One decoded button (possibly BUTTON_SUPPRESSED) of a press or its repeat; returns what was
    // done with it.
    PressOutcome dispatch(RemoteButton button, const PressTiming& timing = {false, 0});
    // Quits the other remote targets, then toggles the default one; other numbers do nothing.
    PressOutcome switchToDefaultApp(int defaultAppNumber);
    // Closes the application when its window exists; otherwise brings it up and has the app watch
    // look after it once it is the target.
    PressOutcome togglePower(AppId app);
    // Whether no remote target's window exists.
    bool noTvAppRunning() const;

    bool targetActive() const override;
    bool targetTakes(RemoteButton button) const override;

private:
    TvApp* currentTarget();
    const TvApp* currentTarget() const;
    PressOutcome sendToTarget(TvApp& target, RemoteButton button);
    PressOutcome powerWithNoTarget();
    PressOutcome shutDownPrompt();
    PressOutcome sendToFirstRunning(RemoteButton button, const PressTiming& timing);

    TvApps& apps;
    const Settings& settings;
    MouseEmulation& mouse;
    Profiles& profiles;
    AppWatch& watch;
    MessageBoxGuard& boxes;
    ShellPort& shell;
};
