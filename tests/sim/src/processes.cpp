// The calls the program looks up at run time: of them, the simulated system has SendInput alone.
#include "state.h"

#include <string>

HMODULE WINAPI GetModuleHandleA(LPCSTR) {
    return reinterpret_cast<HMODULE>(std::uintptr_t(0x7FF00000));
}

HMODULE WINAPI LoadLibraryA(LPCSTR) {
    return GetModuleHandleA(nullptr);
}

FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR lpProcName) {
    if (std::string(lpProcName) == "SendInput")
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&SendInput));
    return nullptr;
}
