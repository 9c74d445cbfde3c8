// The capture card's chip, reached through its capture filter's kernel-streaming handle.
#pragma once

#include "win32/owned.h"

#include <windows.h>

struct IBaseFilter;

// Chip register that holds the last code received from the remote.
constexpr DWORD REMOTE_CODE_REGISTER = 0x350014;

// The card's capture filter and its kernel-streaming handle, from open to close; one object,
// created at start-up and owned by the program.
class CaptureDevice {
public:
    // Defined where IBaseFilter is complete: the holder's release needs it.
    CaptureDevice();
    // Lets go of a filter still held, as close() does.
    ~CaptureDevice();
    CaptureDevice(const CaptureDevice&) = delete;
    CaptureDevice& operator=(const CaptureDevice&) = delete;

    // Initialises COM (every call) and finds and keeps the capture filter; 1 when one with an
    // accepted name was found, even if it gave no kernel-streaming handle.
    int open();
    // Lets go of the filter and uninitialises COM once for the last open, whether or not it found
    // a filter; closing a closed device does nothing.
    void close();
    bool isOpen() const { return static_cast<bool>(filter); }
    // The filter's kernel-streaming handle; it belongs to the filter and is never closed here.
    // Null while the device is closed or when the filter gave none.
    HANDLE handle() const { return kernelHandle; }

    // Reads one 32-bit chip register, opening the device first when it is closed. *succeeded
    // (optional) tells a failed read from a value of 0; after a failure the result is 0, or the
    // value word the driver left for a failed get, and the device is closed, so the next read
    // opens it afresh.
    DWORD readRegister(DWORD address, BOOL* succeeded = nullptr);

private:
    // The two halves of a read; each shows its own failure message and returns 1 on success.
    int selectRegister(HANDLE device, DWORD address);
    int fetchRegisterValue(HANDLE device, DWORD* value);
    void showFailure(const char* text, const char* caption);
    DWORD failedRead(DWORD value);

    ComPtr<IBaseFilter> filter;
    HANDLE kernelHandle = nullptr;
    // True while a failure message of this device is open. The poll timer keeps firing inside
    // the box's modal loop; those nested reads stay silent instead of piling up boxes, one set per
    // 65 ms tick.
    bool failureMessageOpen = false;
    // Opens not closed yet: each initialised COM on the thread.
    int comUses = 0;
};
