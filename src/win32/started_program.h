// A program started without waiting for it, and known by its process afterwards: whether it still
// runs, and its window brought to the front. WinExec waits until the new program is ready for
// input, up to half a minute, while the remote stands still; this does not. The Windows builds
// call the system (started_program.cpp); the host tests give a small fake.
#pragma once

#include "win32/owned.h"

#include <windows.h>

class StartedProgram {
public:
    // Starts the command line, shown normally; false when it could not be started. A program
    // started before is let go of, running or not.
    bool start(const char* commandLine);
    // The program last started has not ended yet.
    bool running() const;
    // Brings the program's first visible top-level window to the front; false when it has none.
    bool bringToFront() const;

private:
    OwnedHandle process;
    DWORD processId = 0;
};
