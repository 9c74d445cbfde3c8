// The main window's commands that switch to a TV application: the others the command names are
// asked to close, its application is brought up, and when it can be the default it becomes the
// default for the rest of the run (in memory only).
#pragma once

#include "settings/settings_store.h"
#include "tvapps/tv_apps.h"

// Carries out the command when it is one of them: 1; 0 for any other command.
int runAppCommand(TvApps& apps, Settings& settings, UINT command);
