// The supported TV applications: one row each, with everything the program knows of it. Every
// other list of applications (the remote's targets, the default application's number, the
// Setting dialog's entries, the main window's commands, the tray menu) is read from here.
#pragma once

#include "tvapps/app_command.h"
#include "tvapps/window_search.h"

#include <windows.h>

#include <initializer_list>

// The applications, in the order their records are built (and their install paths read).
enum class AppId : unsigned char { POWERVCR, HONESTECH, WINDVD, WINDVR, WINRIP, LUMENTVR };
constexpr int APP_COUNT = 6;

constexpr int indexOf(AppId app) {
    return static_cast<int>(app);
}

// A few applications, in a given order.
class AppList {
public:
    constexpr AppList() = default;
    constexpr AppList(std::initializer_list<AppId> apps) {
        for (AppId app : apps)
            add(app);
    }
    constexpr void add(AppId app) {
        if (count < APP_COUNT)
            apps[count++] = app;
    }
    constexpr const AppId* begin() const { return apps; }
    constexpr const AppId* end() const { return apps + count; }
    constexpr int size() const { return count; }

private:
    AppId apps[APP_COUNT] = {};
    int count = 0;
};

struct Adapter;
constexpr int NO_RANK = -1;
// No executable's name is longer (the command line is sized for it).
constexpr int MAX_EXE_NAME_LENGTH = 63;

struct TvAppRow {
    AppId app;
    const char* name;        // in the Setting list and the tray menu
    const char* productName; // in "Can't run <productName>."
    // Where it is installed: under HKEY_LOCAL_MACHINE, the value that holds the install folder.
    const char* subkey;
    const char* valueName;
    const char* exeName;
    // Its main window, and how each part of the program finds it: launch, before it starts a copy
    // (bringUp always looks for a title that begins with windowTitle); the button commands; quit;
    // and the dispatcher, which tells from it whether the application runs (NONE: it is no target
    // of the remote).
    const char* windowClass = "";
    const char* windowTitle = ""; // the whole title, or its beginning
    Match launchFinds = Match::NONE;
    Match commandsFind = Match::NONE;
    Match quitFinds = Match::NONE;
    Match dispatcherFinds = Match::NONE;
    const Adapter* adapter = nullptr; // how it is closed, and its buttons
    // As a target of the remote: with several active, the one of the lowest rank is the target;
    // with none, the running one of the lowest search rank becomes it.
    int targetRank = NO_RANK;
    int searchRank = NO_RANK;
    int defaultNumber = 0;     // its "DefaultTVAPP" number; 0: it cannot be the default
    AppList quitsOnPower = {}; // Power, with it as the default, first asks these to close
    int settingRank = NO_RANK;
    bool inTrayMenu = false;
    UINT command = 0;            // the main window's command that switches to it
    AppList quitsOnCommand = {}; // which that command first asks to close
};

extern const TvAppRow TV_APPS[APP_COUNT];

inline const TvAppRow& rowOf(AppId app) {
    return TV_APPS[indexOf(app)];
}
// The applications that have a `rank`, in its order.
AppList appsBy(int TvAppRow::*rank);
// The row with that "DefaultTVAPP" number or main-window command; null when none has it.
const TvAppRow* rowWithDefaultNumber(int number);
const TvAppRow* rowWithCommand(UINT command);
// The window `match` finds for the application, by its class or its title.
HWND findAppWindow(const TvAppRow& row, Match match);
