// The clipboard and the global memory it takes: the monitor's copy as text.
#include "state.h"

#include <cstring>

using sim::detail::desktop;

namespace sim {

std::string clipboardText() {
    return desktop().clipboard;
}

} // namespace sim

HGLOBAL WINAPI GlobalAlloc(UINT, SIZE_T dwBytes) {
    auto block = std::make_unique<char[]>(dwBytes ? dwBytes : 1);
    void* address = block.get();
    desktop().globalMemory[address] = std::move(block);
    return address;
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    return desktop().globalMemory.count(hMem) ? hMem : nullptr;
}

BOOL WINAPI GlobalUnlock(HGLOBAL) {
    return FALSE; // no lock left, as Win32 answers the last unlock
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    return desktop().globalMemory.erase(hMem) ? nullptr : hMem;
}

BOOL WINAPI OpenClipboard(HWND) {
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    desktop().clipboard.clear();
    return TRUE;
}

// The clipboard takes the memory: it is freed here once its text is kept.
HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
    if (uFormat != CF_TEXT || !desktop().globalMemory.count(hMem))
        return nullptr;
    desktop().clipboard = static_cast<const char*>(hMem);
    GlobalFree(hMem);
    return hMem;
}

BOOL WINAPI CloseClipboard(void) {
    return TRUE;
}
