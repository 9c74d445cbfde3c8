// Finding the card's capture filter among the video input devices and taking its
// kernel-streaming handle.
#include "remote/capture_device.h"

#include "win32/com.h"
#include "win32/owned.h"

#include <cstring>

// The kernel-streaming object interface of a filter; declared here, as its own header needs the
// whole kernel-streaming header set for this one method. It must keep external linkage: inside
// the anonymous namespace GCC sees that nothing in this file implements it, "devirtualizes"
// KsGetObjectHandle to __cxa_pure_virtual at -O2, and the call crashes.
struct IKsObject : public IUnknown {
    virtual HANDLE STDMETHODCALLTYPE KsGetObjectHandle() = 0;
};

namespace {

// Accepted friendly names, in order of precedence; each costs a full pass over the devices.
constexpr const char* ACCEPTED_NAMES[] = {
    "Solvanta QN52X Video Capture",
    "Taviro QN52X Video Capture",
    "Conexant 2388x Video Capture",
};

// Friendly names longer than this (terminator included) never match.
constexpr int FRIENDLY_NAME_BYTES = 80;

const GUID IKS_OBJECT_IID = {
    0x423C13A2, 0x2070, 0x11D0, {0x9E, 0xF7, 0x00, 0xAA, 0x00, 0xA2, 0x16, 0xA1}};

// True when the device behind the moniker carries exactly this friendly name.
bool hasFriendlyName(IMoniker* moniker, const char* friendlyName) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.putVoid())))
        return false;
    OwnedVariant name;
    name->vt = VT_BSTR;
    if (bag->Read(L"FriendlyName", name.get(), nullptr) != S_OK || name->vt != VT_BSTR)
        return false;
    char text[FRIENDLY_NAME_BYTES];
    const int written =
        WideCharToMultiByte(CP_ACP, 0, name->bstrVal, -1, text, sizeof text, nullptr, nullptr);
    return written > 0 && std::strcmp(text, friendlyName) == 0;
}

// The devices of the category; none when the category is empty. The device enumerator is let go
// before the pass begins.
ComPtr<IEnumMoniker> enumerateCategory(REFCLSID category) {
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICreateDevEnum, devices.putVoid())))
        return monikers;
    // S_FALSE with no enumerator: the category is empty.
    if (FAILED(devices->CreateClassEnumerator(category, monikers.put(), 0)))
        monikers.reset();
    return monikers;
}

ComPtr<IBaseFilter> findCaptureFilter(const char* friendlyName, REFCLSID category) {
    ComPtr<IBaseFilter> filter;
    ComPtr<IEnumMoniker> monikers = enumerateCategory(category);
    if (!monikers)
        return filter;
    monikers->Reset();
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.put(), nullptr) == S_OK) {
        if (hasFriendlyName(moniker.get(), friendlyName)) {
            moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.putVoid());
            break;
        }
    }
    return filter;
}

HANDLE getKernelHandle(IBaseFilter* filter) {
    ComPtr<IKsObject> object;
    if (FAILED(filter->QueryInterface(IKS_OBJECT_IID, object.putVoid())))
        return nullptr;
    return object->KsGetObjectHandle();
}

} // namespace

struct CaptureDevice::Session {
    ComInitialization com; // first in, last out: COM outlives the filter
    ComPtr<IBaseFilter> filter;
    HANDLE kernelHandle = nullptr;
    const char* name = nullptr; // the accepted name it was found by
};

CaptureDevice::CaptureDevice(MessageBoxGuard& boxes) : boxes(boxes) {}

CaptureDevice::~CaptureDevice() = default;

bool CaptureDevice::isOpen() const {
    return session && session->filter;
}

const char* CaptureDevice::filterName() const {
    return isOpen() ? session->name : nullptr;
}

HANDLE CaptureDevice::handle() const {
    return session ? session->kernelHandle : nullptr;
}

bool CaptureDevice::open() {
    if (isOpen())
        return true;
    // An open that found nothing still holds its COM initialisation: given back before the next.
    session.reset();
    session = std::make_unique<Session>();
    for (const char* name : ACCEPTED_NAMES) {
        session->filter = findCaptureFilter(name, CLSID_VideoInputDeviceCategory);
        session->name = name;
        if (session->filter)
            break;
    }
    if (!session->filter)
        return false;
    session->kernelHandle = getKernelHandle(session->filter.get());
    return true;
}

void CaptureDevice::reopenAtNextRead() {
    session.reset();
    failing = false;
}
