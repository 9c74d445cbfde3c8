#include "program/program_run.h"

#include "harness/card_service.h"
#include "harness/deadline.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr const char* PROBE_DLL = "qn520_app_probe.dll";
constexpr DWORD KILL_TIMEOUT_MS = 5000;

// The build gives the program's path as the build machine sees it; Wine's drive Z: is the root.
std::string programPath() {
    std::string path = QN520_PROGRAM_PATH;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    char name[64];
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && GetClassNameA(window, name, sizeof name) &&
        std::strcmp(name, PROGRAM_WINDOW_CLASS) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Each run has a log of its own: a test may run two copies at once.
std::string nextProbeLog() {
    static int runs = 0;
    char name[64];
    std::snprintf(name, sizeof name, "program-probe-%d.log", ++runs);
    return besideThisProgram(name);
}

} // namespace

HWND programWindowOf(DWORD process) {
    WindowSearch search = {process, nullptr};
    EnumWindows(findProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ProgramRun::ProgramRun() : probeLog(nextProbeLog()) {}

ProgramRun::~ProgramRun() {
    if (process.hProcess) {
        if (running()) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, KILL_TIMEOUT_MS);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (HHOOK hook : hooks)
        if (hook)
            UnhookWindowsHookEx(hook);
    if (probe)
        FreeLibrary(probe);
}

bool ProgramRun::start(std::string* problem) {
    DeleteFileA(probeLog.c_str());
    probe = LoadLibraryA(besideThisProgram(PROBE_DLL).c_str());
    if (!probe) {
        *problem = "the probe DLL does not load";
        return false;
    }
    // The program inherits the variable and so learns where its probe writes.
    SetEnvironmentVariableA("QN520_PROBE_LOG", probeLog.c_str());

    std::string commandLine = "\"" + programPath() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process)) {
        char text[160];
        std::snprintf(text, sizeof text, "CreateProcess(%s) failed with system error %lu",
                      commandLine.c_str(), GetLastError());
        *problem = text;
        process = PROCESS_INFORMATION{};
        return false;
    }
    // Hooked before its first instruction, so the probe sees every window it makes.
    const int kinds[2] = {WH_CALLWNDPROC, WH_CALLWNDPROCRET};
    const char* procedures[2] = {"probeCallWndProc", "probeCallWndProcRet"};
    for (int i = 0; i < 2; ++i) {
        auto procedure = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(probe, procedures[i])));
        hooks[i] =
            procedure ? SetWindowsHookExA(kinds[i], procedure, probe, process.dwThreadId) : nullptr;
        if (!hooks[i]) {
            *problem = std::string("the probe's hook ") + procedures[i] + " could not be set";
            return false;
        }
    }
    ResumeThread(process.hThread);
    return true;
}

HWND ProgramRun::waitForWindow(DWORD timeoutMs) {
    waitUntil(
        [this] {
            mainWindow = programWindowOf(process.dwProcessId);
            return mainWindow != nullptr || !running();
        },
        timeoutMs, 5);
    return mainWindow;
}

bool ProgramRun::waitForExit(DWORD* code, DWORD timeoutMs) {
    if (!process.hProcess || WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (code)
        *code = exitCode;
    return true;
}

bool ProgramRun::running() const {
    return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<std::string> ProgramRun::probeLines() const {
    std::vector<std::string> lines;
    std::ifstream log(probeLog);
    std::string line;
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ProgramRun::probeLines(const char* event) const {
    const std::string prefix = std::string(event) + " ";
    std::vector<std::string> matching;
    for (const std::string& line : probeLines())
        if (line.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(line);
    return matching;
}
