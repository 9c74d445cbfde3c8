// Windows builds only: the simulated desktop starts programs with WinExec alone.
#include "win32/started_program.h"

#include <string>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisibleWindowOf(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

bool StartedProgram::start(const char* commandLine) {
    process.reset();
    processId = 0;
    // CreateProcessA may write into the command line it is given.
    std::string line(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    CloseHandle(started.hThread);
    process.reset(started.hProcess);
    processId = started.dwProcessId;
    return true;
}

bool StartedProgram::running() const {
    return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

bool StartedProgram::bringToFront() const {
    Search search{processId, nullptr};
    if (processId == 0)
        return false;
    EnumWindows(findVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    if (IsIconic(search.found))
        ShowWindow(search.found, SW_RESTORE);
    return SetForegroundWindow(search.found) != FALSE;
}
