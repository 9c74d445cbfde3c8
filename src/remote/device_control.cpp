#include "remote/device_control.h"

namespace {

constexpr DWORD PENDING_STATUS = statusFromError(ERROR_IO_PENDING);

} // namespace

DWORD syncDeviceControl(HANDLE device, DWORD code, void* input, DWORD inputLength, void* output,
                        DWORD outputLength, DWORD* bytesReturned) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!event)
        return statusFromError(GetLastError());

    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    DWORD status = 0;
    if (!DeviceIoControl(device, code, input, inputLength, output, outputLength, bytesReturned,
                         &overlapped)) {
        status = statusFromError(GetLastError());
        if (status == PENDING_STATUS)
            status = GetOverlappedResult(device, &overlapped, bytesReturned, TRUE)
                         ? 0
                         : statusFromError(GetLastError());
    }
    CloseHandle(event);
    return status;
}
