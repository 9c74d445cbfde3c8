// "Edit remote profiles...": the profiles file in Notepad, created first with an explanation and
// an example when it does not exist. Any program can send the command, as often as it likes: one
// Notepad at a time, started without waiting for it, so the remote never stands still.
#pragma once

#include "win32/started_program.h"

#include <windows.h>

// However the last Notepad fared (Windows 11's hands over to another process and ends at once),
// the next is started no sooner than this.
constexpr DWORD EDITOR_START_GAP_MS = 2000;

// The explanation and example that a new profiles file holds: comments alone.
extern const char* const PROFILES_EXPLANATION;

// Makes the folder of the profiles file, unless it is there.
void createProfilesFolder(const char* path);

class ProfileEditor {
public:
    // While the Notepad it started runs, brings that one to the front; otherwise starts one, at
    // most once in EDITOR_START_GAP_MS. Nothing without a path.
    void edit(const char* path);

private:
    StartedProgram notepad;
    bool started = false; // a start has been tried
    DWORD startedAt = 0;
};
