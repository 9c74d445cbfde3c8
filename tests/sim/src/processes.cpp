// Other programs' processes, and the calls the program looks up at run time. No process's name can
// be learnt: the simulated system has neither QueryFullProcessImageNameA nor the Tool Help list.
#include "state.h"

#include <string>

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

// Of the newer calls the program looks up, the simulated system has SendInput alone.
FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR lpProcName) {
    if (std::string(lpProcName) == "SendInput")
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&SendInput));
    return nullptr;
}

HANDLE WINAPI OpenProcess(DWORD, BOOL, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}
