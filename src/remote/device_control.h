// Synchronous device control over a handle opened for overlapped I/O, with a bounded wait.
#pragma once

#include <windows.h>

// The failure status of a system error: 0x80070000 OR (error AND 0xFFFF).
constexpr DWORD statusFromError(DWORD error) {
    return error == 0 ? 0 : (0x80070000u | (error & 0xFFFFu));
}
constexpr bool statusSucceeded(DWORD status) {
    return (status & 0x80000000u) == 0;
}

// How long a request may take before it is given up. A healthy driver answers a register request
// in well under a millisecond (about 0.3 ms under Wine; 11 ms at the 99th percentile with both
// cores busy compiling), and this wait holds up the user-interface thread: the tray, the dialogs
// and WM_CLOSE. A quarter of a second is far beyond any healthy answer and still short enough
// that the program does not seem to hang.
constexpr DWORD REQUEST_TIMEOUT_MS = 250;
// How long a request that was given up on may take to end after its cancellation.
constexpr DWORD CANCEL_TIMEOUT_MS = 100;
// The status of a request that did not complete within REQUEST_TIMEOUT_MS.
constexpr DWORD TIMED_OUT_STATUS = statusFromError(ERROR_TIMEOUT);
// The largest input or output a request may carry (a register request has 40 bytes).
constexpr DWORD MAX_REQUEST_BYTES = 64;

// Sends one request and waits for its completion, at most REQUEST_TIMEOUT_MS; a request still
// pending then is cancelled and reported as TIMED_OUT_STATUS. Returns 0 on success, otherwise
// the failure status of the system error. The driver works on a copy of the buffers that stays
// valid until it has let go of the request, however late that is. The same pointer as input and
// output reaches the driver as one buffer, as the register requests need it.
DWORD syncDeviceControl(HANDLE device, DWORD code, void* input, DWORD inputLength, void* output,
                        DWORD outputLength, DWORD* bytesReturned);
