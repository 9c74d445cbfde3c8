// The only place where the shell names the TV application records.
#include "app/tv_app_links.h"

#include "app/resource_ids.h"
#include "settings/settings_store.h"
#include "tvapps/honestech_adapter.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/lumentvr_adapter.h"
#include "tvapps/powervcr_adapter.h"
#include "tvapps/windvd_winrip_adapters.h"
#include "tvapps/windvr_adapter.h"

namespace {

struct AppSwitchCommand {
    int command;
    void (*quitOthers)();
    void (*bringUp)();
    int newDefault; // 0: defaultApp stays
};

// Results of quit and bringUp are not used: the default follows even when nothing came up.
const AppSwitchCommand APP_COMMANDS[] = {
    {IDM_WINDVD,
     [] {
         WinDvrApp.quit();
         WinRipApp.quit();
     },
     [] { WinDvdApp.bringUp(); }, 0},
    {IDM_WINDVR,
     [] {
         WinDvdApp.quit();
         WinRipApp.quit();
         LumenTvrApp.quit();
         PowerVcrApp.quit();
         HonestechApp.quit();
     },
     [] { WinDvrApp.bringUp(); }, DEFAULT_WINDVR},
    {IDM_WINRIP,
     [] {
         WinDvdApp.quit();
         WinDvrApp.quit();
     },
     [] { WinRipApp.bringUp(); }, 0},
    {IDM_POWERVCR,
     [] {
         WinDvrApp.quit();
         LumenTvrApp.quit();
         HonestechApp.quit();
     },
     [] { PowerVcrApp.bringUp(); }, DEFAULT_POWERVCR},
    {IDM_HONESTECH,
     [] {
         WinDvrApp.quit();
         PowerVcrApp.quit();
         LumenTvrApp.quit();
     },
     [] { HonestechApp.bringUp(); }, DEFAULT_HONESTECH},
    {IDM_LUMENTVR,
     [] {
         WinDvrApp.quit();
         PowerVcrApp.quit();
         HonestechApp.quit();
     },
     [] { LumenTvrApp.bringUp(); }, DEFAULT_LUMENTVR},
};

} // namespace

int runAppCommand(int command) {
    for (const AppSwitchCommand& row : APP_COMMANDS)
        if (row.command == command) {
            row.quitOthers();
            row.bringUp();
            if (row.newDefault)
                defaultApp = row.newDefault;
            return 1;
        }
    return 0;
}

int tvAppInstalled(int defaultAppNumber) {
    const TvApp* app = defaultAppRecord(defaultAppNumber);
    return app ? app->installed : 0;
}
