// Other programs' processes: none whose name the program could learn. The simulated system has no
// QueryFullProcessImageNameA and lists no process, so a window's program is always unknown here.
#include "state.h"

#include <tlhelp32.h>

DWORD WINAPI GetWindowThreadProcessId(HWND, LPDWORD lpdwProcessId) {
    if (lpdwProcessId)
        *lpdwProcessId = 0;
    return 0;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR) {
    return reinterpret_cast<HMODULE>(std::uintptr_t(0x7FF00000));
}

HMODULE WINAPI LoadLibraryA(LPCSTR) {
    return GetModuleHandleA(nullptr);
}

// The simulated system exports nothing the program looks up: it has none of the newer calls.
FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR) {
    return nullptr;
}

HANDLE WINAPI OpenProcess(DWORD, BOOL, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

HANDLE WINAPI CreateToolhelp32Snapshot(DWORD, DWORD) {
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI Process32First(HANDLE, PROCESSENTRY32*) {
    return FALSE;
}

BOOL WINAPI Process32Next(HANDLE, PROCESSENTRY32*) {
    return FALSE;
}
