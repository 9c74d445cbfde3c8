// System calls that some Windows the program runs on lack, looked up at run time: importing them
// would keep the program from starting there. Each is null where the system has none.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

struct LaterCalls {
    // Windows Vista on: the program file of a process, as Unicode.
    BOOL(WINAPI* queryFullProcessImageName)(HANDLE process, DWORD flags, WCHAR* name, DWORD* size);
    // The Tool Help process list: Windows 95 and 2000 on, not NT 4.
    HANDLE(WINAPI* createToolhelp32Snapshot)(DWORD flags, DWORD processId);
    BOOL(WINAPI* process32First)(HANDLE snapshot, PROCESSENTRY32* entry);
    BOOL(WINAPI* process32Next)(HANDLE snapshot, PROCESSENTRY32* entry);
    // Windows 98 and NT 4 SP3 on.
    UINT(WINAPI* sendInput)(UINT count, INPUT* inputs, int size);
    // Windows 10 1607 on: the system's DPI, a window's display's DPI, a metric at a DPI.
    UINT(WINAPI* getDpiForSystem)();
    UINT(WINAPI* getDpiForWindow)(HWND window);
    int(WINAPI* getSystemMetricsForDpi)(int index, UINT dpi);
};

// Looked up once, the first time they are asked for: what the system has does not change while
// the program runs.
const LaterCalls& laterCalls();
