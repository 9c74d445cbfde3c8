#include "app/app_commands.h"

#include "app/resource_ids.h"

namespace {

struct AppCommandRow {
    UINT command;
    AppId app;
    AppList closedFirst; // in this order
};

// clang-format off
constexpr AppCommandRow APP_COMMANDS[] = {
    {IDM_WINDVD, AppId::WINDVD, {AppId::WINDVR, AppId::WINRIP}},
    {IDM_WINDVR, AppId::WINDVR,
     {AppId::WINDVD, AppId::WINRIP, AppId::LUMENTVR, AppId::POWERVCR, AppId::HONESTECH}},
    {IDM_WINRIP, AppId::WINRIP, {AppId::WINDVD, AppId::WINDVR}},
    {IDM_POWERVCR, AppId::POWERVCR, {AppId::WINDVR, AppId::LUMENTVR, AppId::HONESTECH}},
    {IDM_HONESTECH, AppId::HONESTECH, {AppId::WINDVR, AppId::POWERVCR, AppId::LUMENTVR}},
    {IDM_LUMENTVR, AppId::LUMENTVR, {AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH}},
};
// clang-format on

} // namespace

bool runAppCommand(TvApps& apps, Settings& settings, UINT command) {
    for (const AppCommandRow& row : APP_COMMANDS) {
        if (row.command != command)
            continue;
        // Results of quit and bringUp are not used: the default follows even when nothing came up.
        for (AppId other : row.closedFirst)
            apps[other].quit();
        apps[row.app].bringUp();
        if (const int number = describe(row.app).defaultNumber)
            settings.defaultApp = number;
        return true;
    }
    return false;
}

UINT commandOf(AppId app) {
    for (const AppCommandRow& row : APP_COMMANDS)
        if (row.app == app)
            return row.command;
    return 0;
}
