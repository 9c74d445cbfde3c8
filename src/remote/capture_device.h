// The capture card's chip, reached through its capture filter's kernel-streaming handle.
#pragma once

#include <windows.h>

// Chip register that holds the last code received from the remote.
constexpr DWORD REMOTE_CODE_REGISTER = 0x350014;

// The filter's kernel-streaming handle; it belongs to the filter and is never closed here. Null
// while the device is closed or when the filter gave none.
extern HANDLE captureHandle;

// 1 while a capture filter with an accepted name is held.
int captureFilterHeld();
// Finds and keeps the capture filter; 1 when one with an accepted name was found.
int openCaptureDevice();
void closeCaptureDevice();

// Reads one 32-bit chip register, opening the capture device first when it is closed. *succeeded
// (optional) tells a failed read from a value of 0; after a failure the result is 0, or the value
// word the driver left for a failed get, and the device is closed, so the next read opens it
// afresh.
DWORD readChipRegister(DWORD address, BOOL* succeeded = nullptr);

// The two halves of a read; each shows its own failure message and returns 1 on success.
int selectRegister(HANDLE device, DWORD address);
int fetchRegisterValue(HANDLE device, DWORD* value);

// The capture device as the program owns it.
class CaptureDevice {
public:
    int open() { return openCaptureDevice(); }
    void close() { closeCaptureDevice(); }
    bool isOpen() const { return captureFilterHeld() != 0; }
    HANDLE handle() const { return captureHandle; }
    DWORD readRegister(DWORD address, BOOL* succeeded = nullptr) {
        return readChipRegister(address, succeeded);
    }
};
