#include "remote/device_control.h"

#include "win32/owned.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr DWORD PENDING_STATUS = statusFromError(ERROR_IO_PENDING);

// Everything the driver may still write to after the caller has stopped waiting: the request's
// OVERLAPPED, its event and its buffers. Freed only once the request has completed; the event is
// closed with it.
struct Request {
    OVERLAPPED overlapped;
    DWORD returned;
    BYTE input[MAX_REQUEST_BYTES];
    BYTE output[MAX_REQUEST_BYTES];
    OwnedHandle event;
    Request* nextAbandoned;
};

// Requests given up on whose cancellation never completed; each is freed once the driver lets go
// of it. A driver that never does keeps its few bytes for the rest of the run. A global, not part
// of any object: such a request must outlive whatever sent it, and is never freed while the
// driver may still write to it, not even at the end of the run.
Request* abandoned = nullptr;

bool completed(const Request& request) {
    return WaitForSingleObject(request.event.get(), 0) == WAIT_OBJECT_0;
}

void releaseCompletedAbandoned() {
    for (Request** link = &abandoned; *link;) {
        Request* request = *link;
        if (!completed(*request)) {
            link = &request->nextAbandoned;
            continue;
        }
        *link = request->nextAbandoned;
        delete request;
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
    if (WaitForSingleObject(request.event.get(), REQUEST_TIMEOUT_MS) == WAIT_OBJECT_0) {
        *status = GetOverlappedResult(device, &request.overlapped, &request.returned, FALSE)
                      ? 0
                      : statusOfLastError();
        return true;
    }
    // CancelIo, not CancelIoEx: the program runs on Windows versions that lack the latter, and
    // all its requests come from this one thread.
    CancelIo(device);
    *status = TIMED_OUT_STATUS;
    if (WaitForSingleObject(request.event.get(), CANCEL_TIMEOUT_MS) != WAIT_OBJECT_0)
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
    std::unique_ptr<Request> request(new (std::nothrow) Request{});
    if (!request)
        return statusFromError(ERROR_NOT_ENOUGH_MEMORY);
    request->event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!request->event)
        return statusOfLastError();
    request->overlapped.hEvent = request->event.get();

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
            abandon(request.release());
            return status;
        }
    }
    if (output)
        std::memcpy(output, out, outputLength);
    if (bytesReturned)
        *bytesReturned = request->returned;
    return status;
}
