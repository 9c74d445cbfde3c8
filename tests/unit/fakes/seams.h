// The fakes of the narrow seams (src/win32's window description, Unicode calls, clipboard and
// started programs): what the program does through them goes to the simulated desktop's event log
// as its own calls do, and tests set how they answer. ProgramTest resets them with the desktop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace fake {

void reset();
// The program file name that describeWindow gives for the window (none unless set).
void setProgramName(HWND window, const std::string& name);
// The text last put on the clipboard.
std::optional<std::string> clipboard();
// The programs started so far end, or the next start fails.
void endStartedPrograms();
void setStartFails(bool fails);

} // namespace fake
