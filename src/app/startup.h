// The start-up steps that clear the way for the program: the other vendor's start-up shortcut,
// the competing remote-control utilities, and the single-instance test.
#pragma once

#include <windows.h>

// Characters of a path buffer, terminator included; the shortcut's path is built in one.
constexpr UINT SHORTCUT_PATH_SIZE = 128;
constexpr const char* STARTUP_SHORTCUT_SUFFIX =
    "\\Start Menu\\Programs\\StartUp\\InterVideo WinCinema Manager.lnk";
constexpr const char* WINCINEMA_TITLE_PREFIX = "InterVideo WinCinema Manager";
constexpr const char* TUNER_REMOTE_TITLE_PREFIX = "Tuner Remote Control";
// The older utility of the same family; it and this one (class PROGRAM_CAPTION) block the start.
constexpr const char* OLDER_FAMILY_CLASS = "QN52X Remote Control";
// WinCinema Manager's own exit command.
constexpr WPARAM WINCINEMA_EXIT_COMMAND = 0xE141;

// Deletes the WinCinema Manager shortcut in the Windows folder's start-up group. A missing file
// or a refused deletion is ignored; so is a Windows folder too long for the path buffer (nothing
// is deleted then).
void deleteStartupShortcut();
// Asks the first WinCinema Manager and the first Tuner Remote Control window to close, without
// waiting for either.
void closeCompetingUtilities();
// Whether this utility or the older one of its family already runs.
bool anotherInstanceRunning();
