// The stand-in TV application installed as the program expects to find each application: the
// stand-in under the application's executable name in a folder, a role file beside it, and the
// application's install-path value in the registry naming that folder.
#pragma once

#include "standin/standin_roles.h"

#include <windows.h>

#include <string>
#include <vector>

// The registry keys that the stand-ins' installs write; removed by removeAllStandins.
void removeAllStandins();

class InstalledStandin {
public:
    // Copies the stand-in into `folder` (created as needed) and writes its registry value; under
    // another file name than the role's when one is given (a player of today, as vlc.exe).
    InstalledStandin(StandinRole role, const std::string& folder, const char* exeName = nullptr);
    bool ok() const { return installed; }
    const std::string& folder() const { return where; }
    std::string exePath() const;

    // Starts the stand-in from its folder as a user would; false when it did not start.
    bool startHere();
    // The stand-in's log lines, oldest first; empty before it first ran.
    std::vector<std::string> log() const;
    // Lines of the log that are exactly `line`.
    int count(const std::string& line) const;
    bool waitForLine(const std::string& line, DWORD timeoutMs = 10000) const;
    // The stand-in's main window, or null.
    HWND window() const;
    void clearLog() const;

private:
    const StandinApp* app;
    std::string where;
    std::string exe;
    bool installed = false;
};

// A trap for a command line that does not quote a path with blanks: "C:\qn520 e2e\..." given
// unquoted starts "C:\qn520.exe" first, and the stand-in put there (in the role of WinRip) logs
// its start beside it. removeAllStandins removes it again.
bool installBlankPathTrap();
bool blankPathTrapRan();

// Ends every stand-in process whose executable lies under one of the test folders, waiting for
// each to go. Stand-ins started by the program under test are not the test's children.
void endStandinProcesses();
