// Register reads over the capture driver's property requests, with their failure messages.
#include "remote/capture_device.h"
#include "remote/device_control.h"
#include "remote/register_request.h"
#include "win32/scoped_flag.h"

namespace {

constexpr const char* NO_HANDLE_TEXT = "Unable to find Cx23880 Video Capture";
constexpr const char* SELECT_FAILED_TEXT = "Unable to set Register address";
constexpr const char* READ_FAILED_TEXT = "Cx23880 Register Read failed";

DWORD send(HANDLE device, RegisterRequest& request) {
    DWORD returned = 0;
    return syncDeviceControl(device, KS_PROPERTY_IOCTL, &request, sizeof request, &request,
                             sizeof request, &returned);
}

} // namespace

bool CaptureDevice::selectRegister(HANDLE device, DWORD address) {
    RegisterRequest request{};
    setRequestHeader(request, KSPROPERTY_FLAG_SET, CMD_SELECT_REGISTER);
    request.address = address;
    failure.status = send(device, request);
    if (statusSucceeded(failure.status))
        return true;
    boxes.show("FAILED", "FAILED to set REGISTER address", MB_OK);
    return false;
}

bool CaptureDevice::fetchRegisterValue(HANDLE device, DWORD* value) {
    RegisterRequest request{};
    setRequestHeader(request, KSPROPERTY_FLAG_SET, CMD_READ_REGISTER);
    // The set half's failure tells nothing the get half won't; but a driver that did not answer
    // it at all would keep the thread waiting once more for the get half.
    DWORD status = send(device, request);
    if (status != TIMED_OUT_STATUS) {
        // The get half goes out in the same buffer: the payload stays as the set half left it.
        setRequestHeader(request, KSPROPERTY_FLAG_GET, CMD_READ_REGISTER);
        status = send(device, request);
    }
    *value = request.value;
    failure.status = status;
    if (statusSucceeded(status))
        return true;
    boxes.show("FAILED", "FAILED REGISTER READ", MB_OK);
    return false;
}

// The read that failed has shown its messages. The device is let go, so that the next read finds
// and opens it afresh: a driver that was restarted (after a resume from sleep, a driver update, or
// its host process ending) serves a new device, and the handle the filter holds stays dead for
// good. Under Wine every request on such a handle fails at once with ERROR_ACCESS_DENIED (the
// capture-device tests pin it), a code that a live driver may give as well; on Windows the codes
// vary with the driver. No code tells a lost device from a one-off failure, so every failed read
// lets go: the reopen costs one device enumeration, and each failed read already waits for the
// user to answer its messages. Letting go also when no filter was found ends the COM use that this
// read's open began.
DWORD CaptureDevice::failedRead(const char* what, DWORD value) {
    failure.what = what;
    reopenAtNextRead();
    failing = true;
    return value;
}

// Each search is a device enumeration with three passes and a bind: fifteen a second, for as long
// as a box stays open behind a full-screen player, would take the system's time and handles.
bool CaptureDevice::waitsForSearch() const {
    return failing && !isOpen() && boxes.isOpen() &&
           GetTickCount() - searchedAt < FAILING_SEARCH_PACE_MS;
}

DWORD CaptureDevice::readRegister(DWORD address, bool* succeeded) {
    if (succeeded)
        *succeeded = false;
    if (reading || waitsForSearch())
        return 0;
    const ScopedFlag underWay(reading);
    if (!isOpen())
        searchedAt = GetTickCount();
    open();
    failure = {};
    HANDLE device = handle();
    if (!device) {
        boxes.show(NO_HANDLE_TEXT, "Message", MB_OK);
        return failedRead(NO_HANDLE_TEXT, 0);
    }
    if (!selectRegister(device, address)) {
        boxes.show(SELECT_FAILED_TEXT, "Error", MB_OK);
        return failedRead(SELECT_FAILED_TEXT, 0);
    }
    DWORD value = 0;
    if (!fetchRegisterValue(device, &value)) {
        boxes.show(READ_FAILED_TEXT, "Info", MB_OK);
        return failedRead(READ_FAILED_TEXT, value);
    }
    failing = false;
    if (succeeded)
        *succeeded = true;
    return value;
}
