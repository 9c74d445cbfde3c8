#include "remote/device_control.h"

#include <cstring>
#include <new>

namespace {

constexpr DWORD PENDING_STATUS = statusFromError(ERROR_IO_PENDING);

// Everything the driver may still write to after the caller has stopped waiting: the request's
// OVERLAPPED, its event and its buffers. Freed only once the request has completed.
struct Request {
    OVERLAPPED overlapped;
    DWORD returned;
    BYTE input[MAX_REQUEST_BYTES];
    BYTE output[MAX_REQUEST_BYTES];
    Request* nextAbandoned;
};

// Requests given up on whose cancellation never completed; each is freed once the driver lets go
// of it. A driver that never does keeps its few bytes for the rest of the run.
Request* abandoned = nullptr;

bool completed(const Request& request) {
    return WaitForSingleObject(request.overlapped.hEvent, 0) == WAIT_OBJECT_0;
}

void release(Request* request) {
    CloseHandle(request->overlapped.hEvent);
    delete request;
}

void releaseCompletedAbandoned() {
    for (Request** link = &abandoned; *link;) {
        Request* request = *link;
        if (!completed(*request)) {
            link = &request->nextAbandoned;
            continue;
        }
        *link = request->nextAbandoned;
        release(request);
    }
}

void abandon(Request* request) {
    request->nextAbandoned = abandoned;
    abandoned = request;
}

DWORD statusOfLastError() {
    return statusFromError(GetLastError());
}

// The pending request's final status; false when it has not let go of its buffers yet.
bool waitForCompletion(HANDLE device, Request& request, DWORD* status) {
    if (WaitForSingleObject(request.overlapped.hEvent, REQUEST_TIMEOUT_MS) == WAIT_OBJECT_0) {
        *status = GetOverlappedResult(device, &request.overlapped, &request.returned, FALSE)
                      ? 0
                      : statusOfLastError();
        return true;
    }
    // CancelIo, not CancelIoEx: the program runs on Windows versions that lack the latter, and
    // all its requests come from this one thread.
    CancelIo(device);
    *status = TIMED_OUT_STATUS;
    if (WaitForSingleObject(request.overlapped.hEvent, CANCEL_TIMEOUT_MS) != WAIT_OBJECT_0)
        return false;
    // Completed meanwhile after all: its answer stands.
    if (GetOverlappedResult(device, &request.overlapped, &request.returned, FALSE))
        *status = 0;
    return true;
}

} // namespace

DWORD syncDeviceControl(HANDLE device, DWORD code, void* input, DWORD inputLength, void* output,
                        DWORD outputLength, DWORD* bytesReturned) {
    if (bytesReturned)
        *bytesReturned = 0;
    releaseCompletedAbandoned();
    if (inputLength > MAX_REQUEST_BYTES || outputLength > MAX_REQUEST_BYTES)
        return statusFromError(ERROR_INVALID_PARAMETER);
    Request* request = new (std::nothrow) Request{};
    if (!request)
        return statusFromError(ERROR_NOT_ENOUGH_MEMORY);
    request->overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!request->overlapped.hEvent) {
        const DWORD status = statusOfLastError();
        delete request;
        return status;
    }

    const bool oneBuffer = input == output;
    BYTE* in = input ? request->input : nullptr;
    BYTE* out = output ? (oneBuffer ? request->input : request->output) : nullptr;
    if (input)
        std::memcpy(in, input, inputLength);
    DWORD status = 0;
    if (!DeviceIoControl(device, code, in, inputLength, out, outputLength, &request->returned,
                         &request->overlapped)) {
        status = statusOfLastError();
        if (status == PENDING_STATUS && !waitForCompletion(device, *request, &status)) {
            abandon(request);
            return status;
        }
    }
    if (output)
        std::memcpy(output, out, outputLength);
    if (bytesReturned)
        *bytesReturned = request->returned;
    release(request);
    return status;
}
