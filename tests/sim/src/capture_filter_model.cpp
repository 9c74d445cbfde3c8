// Host stand-in for the Windows-only device enumeration: the simulated card decides whether a
// filter is found and whether it gives a kernel-streaming handle. The real enumeration runs in the
// Wine tests.
#include "state.h"

#include "remote/capture_device.h"

using sim::detail::desktop;

HANDLE captureHandle = nullptr;

namespace {
bool filterHeld = false;
} // namespace

int captureFilterHeld() {
    return filterHeld ? 1 : 0;
}

int openCaptureDevice() {
    auto& d = desktop();
    ++d.openCalls;
    ++d.comInits;
    sim::record("openCaptureDevice");
    if (d.deviceState == sim::DeviceState::Absent) {
        filterHeld = false;
        return 0;
    }
    filterHeld = true;
    captureHandle = sim::captureDeviceHandle();
    return 1;
}

void closeCaptureDevice() {
    sim::record("closeCaptureDevice");
    if (filterHeld) {
        filterHeld = false;
        captureHandle = nullptr;
    }
    --desktop().comInits;
}

namespace sim {
void resetCaptureFilter() {
    filterHeld = false;
    captureHandle = nullptr;
}
} // namespace sim
