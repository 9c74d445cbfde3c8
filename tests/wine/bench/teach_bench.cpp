// teach_bench: how long the teaching dialog takes to show, from command 35 to the dialog on the
// screen, with 200 other top-level windows present and the program running as a user runs it (no
// probe hooked into it, whose hooks cost a round trip to the wine server for every message sent).
// Prints each opening (the first loads the common controls) and the machine it ran on. A
// measurement, not a test: nothing here passes or fails.
#include "program/foreign_windows.h"
#include "program/program_run.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int main() {
    std::vector<HWND> others;
    for (int i = 0; i < 200; ++i)
        others.push_back(CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", std::to_string(i).c_str(),
                                         WS_POPUP | WS_VISIBLE, 0, 0, 4, 4, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr));
    std::string commandLine = "\"" QN520_PROGRAM_PATH "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program))
        return 1;
    HWND main = nullptr;
    for (int i = 0; i < 3000 && !(main = programWindowOf(program.dwProcessId)); ++i)
        Sleep(5);
    SYSTEM_INFO machine;
    GetSystemInfo(&machine);
    std::printf("teaching dialog, command to shown, 200 other windows, %lu processors:",
                static_cast<unsigned long>(machine.dwNumberOfProcessors));
    for (int opening = 0; main && opening < 6; ++opening) {
        const DWORD asked = GetTickCount();
        PostMessageA(main, WM_COMMAND, 35, 0);
        HWND dialog = nullptr;
        while (
            !(dialog = dialogOf(program.dwProcessId, "QN520 Remote Control - Teach the remote")) &&
            GetTickCount() - asked < 10000)
            Sleep(0);
        std::printf(" %lu ms", static_cast<unsigned long>(GetTickCount() - asked));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        while (dialog && IsWindow(dialog))
            Sleep(1);
    }
    std::printf("\n");
    PostMessageA(main, WM_COMMAND, 1201, 0); // Exit
    WaitForSingleObject(program.hProcess, 10000);
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    for (HWND other : others)
        DestroyWindow(other);
    return 0;
}
