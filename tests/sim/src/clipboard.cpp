// The clipboard, which the remote monitor copies to: the simulated desktop has none to open, so
// a copy goes nowhere (the copy's text is the monitor's copyText, tested as it is).
#include "state.h"

BOOL WINAPI OpenClipboard(HWND) {
    return FALSE;
}
BOOL WINAPI EmptyClipboard(void) {
    return FALSE;
}
HANDLE WINAPI SetClipboardData(UINT, HANDLE) {
    return nullptr;
}
BOOL WINAPI CloseClipboard(void) {
    return FALSE;
}
HGLOBAL WINAPI GlobalAlloc(UINT, SIZE_T) {
    return nullptr;
}
LPVOID WINAPI GlobalLock(HGLOBAL) {
    return nullptr;
}
BOOL WINAPI GlobalUnlock(HGLOBAL) {
    return FALSE;
}
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    return hMem;
}
