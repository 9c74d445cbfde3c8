// The main window's commands that switch to a TV application: the others the command names are
// asked to close, its application is brought up, and when it can be the default it becomes the
// default for the rest of the run (in memory only).
#pragma once

#include "settings/settings_store.h"
#include "tvapps/tv_apps.h"

// Carries out the command when it is one of them: true; false for any other command.
bool runAppCommand(TvApps& apps, Settings& settings, UINT command);
// The command that switches to the application; 0 when none does.
UINT commandOf(AppId app);
