// The capture card's chip, reached through its capture filter's kernel-streaming handle.
#pragma once

#include "win32/message_box_guard.h"

#include <windows.h>

#include <memory>

// Chip register that holds the last code received from the remote.
constexpr DWORD REMOTE_CODE_REGISTER = 0x350014;
// While another of the remote's boxes is open, a card whose reads fail is searched for no more
// often than this.
constexpr DWORD FAILING_SEARCH_PACE_MS = 1000;

// The card's capture filter and its kernel-streaming handle, from open until they are let go; one
// object, created at start-up and owned by the program. Each open holds its own COM
// initialisation, given back when the filter is let go.
class CaptureDevice {
public:
    // The failure messages of a read go through `boxes`, one box at a time with the remote's other
    // messages.
    explicit CaptureDevice(MessageBoxGuard& boxes);
    // Lets go of a filter still held.
    ~CaptureDevice();
    CaptureDevice(const CaptureDevice&) = delete;
    CaptureDevice& operator=(const CaptureDevice&) = delete;

    // Opens the device unless it is open: initialises COM and finds and keeps the capture filter.
    // True when a filter with an accepted name is held, even if it gave no kernel-streaming handle.
    bool open();
    // Lets go of the filter and of COM now: the next read opens the device afresh, at once. A
    // driver that was restarted (after a resume from sleep) serves a new device.
    void reopenAtNextRead();
    bool isOpen() const;
    // The filter's kernel-streaming handle; it belongs to the filter and is never closed here.
    // Null while the device is closed or when the filter gave none.
    HANDLE handle() const;

    // Reads one 32-bit chip register, opening the device first when it is closed. *succeeded
    // (optional) tells a failed read from a value of 0; after a failure the result is 0, or the
    // value word the driver left for a failed get, and the device is let go, so the next read
    // opens it afresh. While another of the remote's boxes is open (the read's own messages cannot
    // show), a failing card is searched for once in FAILING_SEARCH_PACE_MS, and the reads between
    // fail at once, silently.
    DWORD readRegister(DWORD address, bool* succeeded = nullptr);

    // The accepted friendly name of the filter in use; null while none is held.
    const char* filterName() const;
    // What the last read failed at (its first failure message), and the status of the request
    // that failed (0 when none was sent); `what` is null after a read that succeeded.
    struct Failure {
        const char* what = nullptr;
        DWORD status = 0;
    };
    Failure lastFailure() const { return failure; }

private:
    struct Session;

    // The two halves of a read; each shows its own failure message and returns true on success.
    bool selectRegister(HANDLE device, DWORD address);
    bool fetchRegisterValue(HANDLE device, DWORD* value);
    DWORD failedRead(const char* what, DWORD value);
    bool waitsForSearch() const;

    MessageBoxGuard& boxes;
    std::unique_ptr<Session> session; // null while closed
    // True while a read is under way. Only its failure messages let other code run meanwhile: the
    // poll timer keeps firing inside their modal loops, and those nested reads stay silent instead
    // of piling up boxes, one set per 65 ms tick.
    bool reading = false;
    Failure failure;
    bool failing = false; // the last read failed, and nothing since asked to look afresh
    DWORD searchedAt = 0; // when the last read that found the device closed opened it
};
