// One run of the real qn520remote.exe as a child process: started with the probe hooked into its
// user-interface thread, watched through its hidden window, and ended (killed if need be) by the
// time the object goes away, so no test leaves a program running.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The class and title of the program's hidden window.
constexpr const char* PROGRAM_WINDOW_CLASS = "QN520 Remote Control";
constexpr UINT PROGRAM_ICON_ID = 10;
constexpr UINT TRAY_CALLBACK = 1001;

// Limits for things that take well under a second when all is well.
constexpr DWORD START_TIMEOUT_MS = 15000;
constexpr DWORD END_TIMEOUT_MS = 10000;

// The top-level window of class PROGRAM_WINDOW_CLASS that belongs to process `process`.
HWND programWindowOf(DWORD process);

class ProgramRun {
public:
    ProgramRun();
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts the program suspended, hooks the probe into it and lets it run. False with
    // `problem` set when it could not be started.
    bool start(std::string* problem);
    // Waits for the program's hidden window; null when it ended first or the deadline passed.
    HWND waitForWindow(DWORD timeoutMs = START_TIMEOUT_MS);
    // Waits for the process to end; false at the deadline. `code` receives its exit code.
    bool waitForExit(DWORD* code, DWORD timeoutMs = END_TIMEOUT_MS);
    bool running() const;

    HWND window() const { return mainWindow; }
    DWORD processId() const { return process.dwProcessId; }

    // The probe's lines so far (see probe/app_probe.cpp), oldest first.
    std::vector<std::string> probeLines() const;
    // Only the lines that begin with `event` followed by a blank.
    std::vector<std::string> probeLines(const char* event) const;

private:
    PROCESS_INFORMATION process{};
    HWND mainWindow = nullptr;
    HHOOK hooks[2] = {nullptr, nullptr};
    HMODULE probe = nullptr;
    std::string probeLog;
};
