// The simulated capture card behind DeviceIoControl: the register property requests, the chip's
// register file, injected faults and pending completions, and the log of every request.
#include "state.h"

#include <cstring>

using sim::detail::desktop;

namespace {

constexpr DWORD KS_PROPERTY_CODE = 0x002F0003;
constexpr DWORD REMOTE_REGISTER = 0x350014;
constexpr DWORD NO_KEY = 0x40;
constexpr BYTE REGISTER_SET[16] = {0x10, 0x1A, 0x4A, 0xC4, 0x37, 0x0A, 0xD2, 0x11,
                                   0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB};
constexpr DWORD SELECT = 0x30000001;
constexpr DWORD READ = 0x30000003;

DWORD word(const std::vector<BYTE>& bytes, size_t offset) {
    DWORD value = 0;
    if (offset + 4 <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// Which of the three requests the bytes are, if any.
std::optional<sim::RequestKind> kindOf(const std::vector<BYTE>& bytes) {
    if (bytes.size() < 40 || std::memcmp(bytes.data(), REGISTER_SET, 16) != 0 ||
        word(bytes, 16) != 6)
        return std::nullopt;
    const DWORD flags = word(bytes, 20), command = word(bytes, 24);
    if (flags == 2 && command == SELECT)
        return sim::RequestKind::Select;
    if (flags == 2 && command == READ)
        return sim::RequestKind::ReadSet;
    if (flags == 1 && command == READ)
        return sim::RequestKind::ReadGet;
    return std::nullopt;
}

std::optional<sim::DeviceFault> takeFault(sim::RequestKind kind) {
    auto& faults = desktop().faults;
    for (auto it = faults.begin(); it != faults.end(); ++it)
        if (it->first == kind || it->first == sim::RequestKind::Any) {
            sim::DeviceFault fault = it->second;
            faults.erase(it);
            return fault;
        }
    return std::nullopt;
}

void putValueWord(LPVOID out, DWORD outLength, DWORD value) {
    if (out && outLength >= 36)
        std::memcpy(static_cast<BYTE*>(out) + 32, &value, 4);
}

// The driver's work for a request that succeeds.
void perform(sim::RequestKind kind, const std::vector<BYTE>& bytes, LPVOID out, DWORD outLength) {
    auto& d = desktop();
    switch (kind) {
    case sim::RequestKind::Select:
        d.selected = word(bytes, 28);
        break;
    case sim::RequestKind::ReadSet:
        d.latched = sim::chipRegister(d.selected);
        break;
    case sim::RequestKind::ReadGet:
        putValueWord(out, outLength, d.latched);
        break;
    case sim::RequestKind::Any:
        break;
    }
}

} // namespace

namespace sim {

void setCaptureDevice(DeviceState state) {
    desktop().deviceState = state;
    std::vector<VideoInputDevice> devices;
    if (state != DeviceState::Absent)
        devices.push_back({"Solvanta QN52X Video Capture", captureDeviceHandle()});
    setVideoInputDevices(devices);
}
HANDLE captureDeviceHandle() {
    return desktop().deviceState == DeviceState::Present ? reinterpret_cast<HANDLE>(0xCA9)
                                                         : nullptr;
}

void setChipRegister(DWORD address, DWORD value) {
    desktop().chip[address] = value;
}
DWORD chipRegister(DWORD address) {
    auto& chip = desktop().chip;
    auto it = chip.find(address);
    if (it != chip.end())
        return it->second;
    return address == REMOTE_REGISTER ? NO_KEY : 0;
}
void pressRemoteKey(DWORD rawCode) {
    setChipRegister(REMOTE_REGISTER, rawCode & 0x3F);
}
void releaseRemoteKey() {
    setChipRegister(REMOTE_REGISTER, NO_KEY);
}

void injectDeviceFault(RequestKind kind, const DeviceFault& fault) {
    desktop().faults.push_back({kind, fault});
}
void setCreateEventFails(DWORD error) {
    desktop().createEventError = error;
}

const std::vector<DeviceRequest>& deviceRequests() {
    return desktop().requests;
}

std::string describeRequest(const DeviceRequest& request) {
    const auto kind = kindOf(request.bytes);
    const std::string address = hex(word(request.bytes, 28));
    if (!kind)
        return "unknown";
    switch (*kind) {
    case RequestKind::Select:
        return "select " + address;
    case RequestKind::ReadSet:
        return "read-set " + address;
    case RequestKind::ReadGet:
        return "read-get " + address;
    case RequestKind::Any:
        break;
    }
    return "unknown";
}

std::vector<std::string> deviceRequestSummary() {
    std::vector<std::string> out;
    for (const DeviceRequest& r : desktop().requests)
        out.push_back(describeRequest(r));
    return out;
}

} // namespace sim

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCSTR) {
    auto& d = desktop();
    if (d.createEventError) {
        SetLastError(*d.createEventError);
        d.createEventError.reset();
        return nullptr;
    }
    return sim::detail::newHandle();
}

BOOL WINAPI DeviceIoControl(HANDLE hDevice, DWORD code, LPVOID in, DWORD inLength, LPVOID out,
                            DWORD outLength, LPDWORD returned, LPOVERLAPPED overlapped) {
    auto& d = desktop();
    sim::DeviceRequest request{
        code, inLength, outLength, in == out && in != nullptr, overlapped != nullptr, {}};
    if (in)
        request.bytes.assign(static_cast<BYTE*>(in), static_cast<BYTE*>(in) + inLength);
    d.requests.push_back(request);
    if (returned)
        *returned = 0;

    if (!hDevice || hDevice != sim::captureDeviceHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const auto kind = code == KS_PROPERTY_CODE ? kindOf(request.bytes) : std::nullopt;
    if (!kind || outLength < 40) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (const auto fault = takeFault(*kind)) {
        if (fault->valueWord)
            putValueWord(out, outLength, *fault->valueWord);
        if (fault->pending) {
            if (fault->completesOk)
                perform(*kind, request.bytes, out, outLength);
            sim::detail::PendingIo io{fault->completesOk, fault->error};
            io.hangs = fault->hangs;
            io.ignoresCancel = fault->ignoresCancel;
            io.device = hDevice;
            io.event = overlapped ? overlapped->hEvent : nullptr;
            io.output = out;
            io.outputLength = outLength;
            d.pendingIo[overlapped] = io;
            SetLastError(ERROR_IO_PENDING);
            return FALSE;
        }
        SetLastError(fault->error);
        return FALSE;
    }
    perform(*kind, request.bytes, out, outLength);
    if (returned)
        *returned = *kind == sim::RequestKind::ReadGet ? 40 : 0;
    return TRUE;
}

namespace {

// A pending request has completed once it was not made to hang, or was cancelled by a driver
// that honours cancellation.
bool completed(const sim::detail::PendingIo& io) {
    return !io.hangs || (io.cancelled && !io.ignoresCancel);
}

} // namespace

BOOL WINAPI GetOverlappedResult(HANDLE hFile, LPOVERLAPPED overlapped, LPDWORD transferred,
                                BOOL bWait) {
    auto& d = desktop();
    sim::record("GetOverlappedResult wait=" + std::to_string(bWait));
    if (transferred)
        *transferred = 0;
    if (!hFile || hFile != sim::captureDeviceHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto it = d.pendingIo.find(overlapped);
    if (it == d.pendingIo.end())
        return TRUE;
    if (!completed(it->second)) {
        // A real wait here would never return.
        if (bWait)
            sim::record("GetOverlappedResult waits forever");
        SetLastError(ERROR_IO_INCOMPLETE);
        return FALSE;
    }
    const sim::detail::PendingIo io = it->second;
    d.pendingIo.erase(it);
    if (io.cancelled && io.hangs) {
        SetLastError(ERROR_OPERATION_ABORTED);
        return FALSE;
    }
    if (io.completesOk) {
        if (transferred)
            *transferred = 40;
        return TRUE;
    }
    SetLastError(io.error);
    return FALSE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    auto& d = desktop();
    if (!d.kernelHandles.count(reinterpret_cast<std::uintptr_t>(hHandle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    for (const auto& entry : d.pendingIo)
        if (entry.second.event == hHandle && !completed(entry.second)) {
            // The thread is blocked for the whole wait: time passes, no timer runs.
            sim::record("WaitForSingleObject timeout=" + std::to_string(dwMilliseconds));
            d.ticks += dwMilliseconds;
            return WAIT_TIMEOUT;
        }
    return WAIT_OBJECT_0;
}

BOOL WINAPI CancelIo(HANDLE hFile) {
    sim::record("CancelIo");
    for (auto& entry : desktop().pendingIo)
        if (entry.second.device == hFile)
            entry.second.cancelled = true;
    return TRUE;
}

namespace sim {

int pendingRequests() {
    return static_cast<int>(desktop().pendingIo.size());
}

void finishHungRequests() {
    auto& d = desktop();
    for (auto& entry : d.pendingIo) {
        detail::PendingIo& io = entry.second;
        if (completed(io))
            continue;
        io.hangs = false;
        io.completesOk = true;
        // The late answer lands where the request said it would.
        if (io.output && io.outputLength >= 40)
            std::memset(io.output, 0xA5, 40);
        auto* overlapped = const_cast<OVERLAPPED*>(entry.first);
        overlapped->Internal = 0;
        overlapped->InternalHigh = 40;
        if (!d.kernelHandles.count(reinterpret_cast<std::uintptr_t>(io.event)))
            record("completion signalled a closed event");
    }
}

} // namespace sim
