#include "app/app_commands.h"

int runAppCommand(TvApps& apps, Settings& settings, UINT command) {
    const TvAppRow* row = rowWithCommand(command);
    if (!row)
        return 0;
    // Results of quit and bringUp are not used: the default follows even when nothing came up.
    for (AppId other : row->quitsOnCommand)
        apps[other].quit();
    apps[row->app].bringUp();
    if (row->defaultNumber != 0)
        settings.defaultApp = row->defaultNumber;
    return 1;
}
