// Synchronous device control over a handle opened for overlapped I/O.
#pragma once

#include <windows.h>

// The failure status of a system error: 0x80070000 OR (error AND 0xFFFF).
constexpr DWORD statusFromError(DWORD error) {
    return error == 0 ? 0 : (0x80070000u | (error & 0xFFFFu));
}
constexpr bool statusSucceeded(DWORD status) {
    return (status & 0x80000000u) == 0;
}

// Sends one request and waits for its completion without a time limit. Returns 0 on success,
// otherwise the failure status of the system error.
DWORD syncDeviceControl(HANDLE device, DWORD code, void* input, DWORD inputLength, void* output,
                        DWORD outputLength, DWORD* bytesReturned);
