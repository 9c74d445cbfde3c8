// Finding the card's capture filter among the video input devices and taking its
// kernel-streaming handle (Windows builds only: COM device enumeration).
#include "remote/capture_device.h"

#include <dshow.h>

#include <cstring>

HANDLE captureHandle = nullptr;

// The kernel-streaming object interface of a filter; declared here, as its own header needs the
// whole kernel-streaming header set for this one method. It must keep external linkage: inside
// the anonymous namespace GCC sees that nothing in this file implements it, "devirtualizes"
// KsGetObjectHandle to __cxa_pure_virtual at -O2, and the call crashes.
struct IKsObject : public IUnknown {
    virtual HANDLE STDMETHODCALLTYPE KsGetObjectHandle() = 0;
};

namespace {

IBaseFilter* captureFilter = nullptr;

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
    IPropertyBag* bag = nullptr;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                      reinterpret_cast<void**>(&bag))))
        return false;
    bool match = false;
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    if (bag->Read(L"FriendlyName", &name, nullptr) == S_OK && name.vt == VT_BSTR) {
        char text[FRIENDLY_NAME_BYTES];
        const int written =
            WideCharToMultiByte(CP_ACP, 0, name.bstrVal, -1, text, sizeof text, nullptr, nullptr);
        match = written > 0 && std::strcmp(text, friendlyName) == 0;
    }
    VariantClear(&name);
    bag->Release();
    return match;
}

IBaseFilter* findCaptureFilter(const char* friendlyName, REFCLSID category) {
    ICreateDevEnum* devices = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICreateDevEnum, reinterpret_cast<void**>(&devices))))
        return nullptr;
    IEnumMoniker* monikers = nullptr;
    const HRESULT created = devices->CreateClassEnumerator(category, &monikers, 0);
    devices->Release();
    // S_FALSE with no enumerator: the category is empty.
    if (FAILED(created) || !monikers)
        return nullptr;

    IBaseFilter* filter = nullptr;
    monikers->Reset();
    IMoniker* moniker = nullptr;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        const bool match = hasFriendlyName(moniker, friendlyName);
        if (match)
            moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&filter));
        moniker->Release();
        if (match)
            break;
    }
    monikers->Release();
    return filter;
}

HANDLE getKernelHandle(IBaseFilter* filter) {
    IKsObject* object = nullptr;
    if (FAILED(filter->QueryInterface(IKS_OBJECT_IID, reinterpret_cast<void**>(&object))))
        return nullptr;
    HANDLE handle = object->KsGetObjectHandle();
    object->Release();
    return handle;
}

} // namespace

int captureFilterHeld() {
    return captureFilter != nullptr;
}

int openCaptureDevice() {
    CoInitialize(nullptr);
    for (const char* name : ACCEPTED_NAMES) {
        captureFilter = findCaptureFilter(name, CLSID_VideoInputDeviceCategory);
        if (captureFilter)
            break;
    }
    if (!captureFilter)
        return 0;
    captureHandle = getKernelHandle(captureFilter);
    return 1;
}

void closeCaptureDevice() {
    if (captureFilter) {
        captureFilter->Release();
        captureFilter = nullptr;
        captureHandle = nullptr;
    }
    CoUninitialize();
}
