// The fakes of the narrow seams (src/win32's window description, Unicode calls, clipboard and
// started program): what the program does through them goes to the simulated desktop's event log
// as its own calls do. ProgramTest resets them with the desktop.
#pragma once

#include <windows.h>

#include <string>

namespace fake {

void reset();
// The program file name that describeWindow gives for the window (none unless set).
void setProgramName(HWND window, const std::string& name);
// The programs started so far end.
void endStartedPrograms();
// The next file replacement fails with this error (0: none fails).
void setReplaceFails(DWORD error);
// The system's DPI (96 unless set).
void setSystemDpi(int dpi);

} // namespace fake
