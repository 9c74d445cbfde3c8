#include "tvapps/tv_app_table.h"

#include "tvapps/adapter.h"

#include <string>

namespace {

constexpr const char* HONESTECH_KEY = "Software\\Honestech\\TV Plus\\TVR";
constexpr const char* HONESTECH_PATH_VALUE = "AppPath";
constexpr const char* HONESTECH_EXE = "honestechTV.EXE";
constexpr const char* INTERVIDEO_PATH_VALUE = "PATH";

} // namespace

// clang-format off
constexpr TvAppRow TV_APPS[APP_COUNT] = {
    {.app = AppId::POWERVCR, .name = "PowerVCR", .productName = "CyberLink PowerVCR II",
     .subkey = "Software\\Cyberlink\\PowerVCR II", .valueName = "InstallPath", .exeName = "PVCR.EXE",
     .windowClass = "PowerVCR II Taurus", .windowTitle = "PowerVCR II",
     .launchFinds = Match::TITLE_START, .commandsFind = Match::CLASS, .quitFinds = Match::CLASS,
     .dispatcherFinds = Match::CLASS, .adapter = &POWERVCR_ADAPTER,
     .targetRank = 0, .searchRank = 1,
     .defaultNumber = 2, .quitsOnPower = {AppId::WINDVR, AppId::HONESTECH, AppId::LUMENTVR},
     .settingRank = 1,
     .command = 1104, .quitsOnCommand = {AppId::WINDVR, AppId::LUMENTVR, AppId::HONESTECH}},
    {.app = AppId::HONESTECH, .name = "HonesTVR", .productName = "honestech TV",
     .subkey = HONESTECH_KEY, .valueName = HONESTECH_PATH_VALUE, .exeName = HONESTECH_EXE,
     .windowClass = "honestechTV 2.0", .windowTitle = "TVR",
     .launchFinds = Match::CLASS, .commandsFind = Match::CLASS, .quitFinds = Match::CLASS,
     .dispatcherFinds = Match::CLASS, .adapter = &HONESTECH_ADAPTER,
     .targetRank = 2, .searchRank = 3,
     .defaultNumber = 4, .quitsOnPower = {AppId::WINDVR, AppId::POWERVCR, AppId::LUMENTVR},
     .settingRank = 2,
     .command = 1105, .quitsOnCommand = {AppId::WINDVR, AppId::POWERVCR, AppId::LUMENTVR}},
    {.app = AppId::WINDVD, .name = "WinDVD", .productName = "InterVideo WinDVD 4",
     .subkey = "Software\\InterVideo\\WinDVD4", .valueName = INTERVIDEO_PATH_VALUE,
     .exeName = "WINDVD.EXE",
     .windowTitle = "InterVideo WinDVD 4",
     .launchFinds = Match::TITLE_START, .commandsFind = Match::CHILD_OF_TITLE_EXACT,
     .quitFinds = Match::CHILD_OF_TITLE_EXACT, .adapter = &WINDVD_ADAPTER,
     .command = 1101, .quitsOnCommand = {AppId::WINDVR, AppId::WINRIP}},
    {.app = AppId::WINDVR, .name = "WinDVR", .productName = "InterVideo WinDVR",
     .subkey = "Software\\InterVideo\\WinDVR", .valueName = INTERVIDEO_PATH_VALUE,
     .exeName = "WINDVR.EXE",
     .windowTitle = "InterVideo WinDVR",
     // Its commands need the exact title; closing it is more lenient.
     .launchFinds = Match::TITLE_START, .commandsFind = Match::TITLE_EXACT,
     .quitFinds = Match::TITLE_START, .dispatcherFinds = Match::TITLE, .adapter = &WINDVR_ADAPTER,
     .targetRank = 1, .searchRank = 2,
     .defaultNumber = 1, .quitsOnPower = {AppId::POWERVCR, AppId::HONESTECH, AppId::LUMENTVR},
     .settingRank = 0,
     .command = 1102,
     .quitsOnCommand = {AppId::WINDVD, AppId::WINRIP, AppId::LUMENTVR, AppId::POWERVCR,
                        AppId::HONESTECH}},
    {.app = AppId::WINRIP, .name = "WinRip", .productName = "InterVideo WinRip",
     .subkey = "Software\\InterVideo\\WinRip", .valueName = INTERVIDEO_PATH_VALUE,
     .exeName = "WINRIP.EXE",
     .windowTitle = "WinRip",
     .launchFinds = Match::TITLE_START, .commandsFind = Match::TITLE_CONTAINS,
     .quitFinds = Match::TITLE_CONTAINS, .adapter = &WINRIP_ADAPTER,
     .command = 1103, .quitsOnCommand = {AppId::WINDVD, AppId::WINDVR}},
    // LumenTVR is installed with honestech TV and started by the same executable.
    {.app = AppId::LUMENTVR, .name = "LumenTVR", .productName = "LumenTVR",
     .subkey = HONESTECH_KEY, .valueName = HONESTECH_PATH_VALUE, .exeName = HONESTECH_EXE,
     .windowClass = "LUMEN_TVR", .windowTitle = "FormMainWindow",
     .launchFinds = Match::CLASS, .commandsFind = Match::CLASS, .quitFinds = Match::CLASS,
     .dispatcherFinds = Match::CLASS, .adapter = &LUMENTVR_ADAPTER,
     .targetRank = 3, .searchRank = 0,
     .defaultNumber = 3, .quitsOnPower = {AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH},
     .settingRank = 3, .inTrayMenu = true,
     .command = 1106, .quitsOnCommand = {AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH}},
};
// clang-format on

namespace {

constexpr bool rowsInIdOrder() {
    for (int i = 0; i < APP_COUNT; ++i)
        if (indexOf(TV_APPS[i].app) != i)
            return false;
    return true;
}
static_assert(rowsInIdOrder(), "rowOf finds a row by its place in the table");

constexpr bool exeNamesFit() {
    for (const TvAppRow& row : TV_APPS)
        if (std::char_traits<char>::length(row.exeName) > MAX_EXE_NAME_LENGTH)
            return false;
    return true;
}
static_assert(exeNamesFit(), "the command line has room for every executable's name");

} // namespace

AppList appsBy(int TvAppRow::*rank) {
    AppList ordered;
    for (int place = 0; place < APP_COUNT; ++place)
        for (const TvAppRow& row : TV_APPS)
            if (row.*rank == place)
                ordered.add(row.app);
    return ordered;
}

const TvAppRow* rowWithDefaultNumber(int number) {
    for (const TvAppRow& row : TV_APPS)
        if (row.defaultNumber != 0 && row.defaultNumber == number)
            return &row;
    return nullptr;
}

const TvAppRow* rowWithCommand(UINT command) {
    for (const TvAppRow& row : TV_APPS)
        if (row.command != 0 && row.command == command)
            return &row;
    return nullptr;
}

HWND findAppWindow(const TvAppRow& row, Match match) {
    return findTopLevel(match, match == Match::CLASS ? row.windowClass : row.windowTitle);
}
