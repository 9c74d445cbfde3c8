#include "sim_capture_filter.h"

#include <cstring>

const GUID IID_IKsObjectSim = {
    0x423C13A2, 0x2070, 0x11D0, {0x9E, 0xF7, 0x00, 0xAA, 0x00, 0xA2, 0x16, 0xA1}};

LONG simFilterModuleLocks = 0;

SimCaptureFilter::SimCaptureFilter(const CLSID& id, const char* path) : clsid(id) {
    lstrcpynA(devicePath, path, sizeof devicePath);
    InterlockedIncrement(&simFilterModuleLocks);
}

SimCaptureFilter::~SimCaptureFilter() {
    // The handle belongs to the filter: callers of KsGetObjectHandle never close it.
    if (device)
        CloseHandle(device);
    InterlockedDecrement(&simFilterModuleLocks);
}

HRESULT SimCaptureFilter::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist) ||
        IsEqualIID(riid, IID_IMediaFilter) || IsEqualIID(riid, IID_IBaseFilter))
        *object = static_cast<IBaseFilter*>(this);
    else if (IsEqualIID(riid, IID_IKsObjectSim))
        *object = static_cast<IKsObject*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG SimCaptureFilter::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

ULONG SimCaptureFilter::Release() {
    const LONG left = InterlockedDecrement(&references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT SimCaptureFilter::GetClassID(CLSID* id) {
    if (!id)
        return E_POINTER;
    *id = clsid;
    return S_OK;
}

HRESULT SimCaptureFilter::Stop() {
    filterState = State_Stopped;
    return S_OK;
}

HRESULT SimCaptureFilter::Pause() {
    filterState = State_Paused;
    return S_OK;
}

HRESULT SimCaptureFilter::Run(REFERENCE_TIME) {
    filterState = State_Running;
    return S_OK;
}

HRESULT SimCaptureFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state)
        return E_POINTER;
    *state = filterState;
    return S_OK;
}

HRESULT SimCaptureFilter::SetSyncSource(IReferenceClock*) {
    return S_OK;
}

HRESULT SimCaptureFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock)
        return E_POINTER;
    *clock = nullptr;
    return S_OK;
}

// The card's capture pins are not simulated: nothing here streams video.
HRESULT SimCaptureFilter::EnumPins(IEnumPins** pins) {
    if (pins)
        *pins = nullptr;
    return E_NOTIMPL;
}

HRESULT SimCaptureFilter::FindPin(LPCWSTR, IPin** pin) {
    if (pin)
        *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

HRESULT SimCaptureFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info)
        return E_POINTER;
    std::memset(info, 0, sizeof *info);
    return S_OK;
}

HRESULT SimCaptureFilter::JoinFilterGraph(IFilterGraph*, LPCWSTR) {
    return S_OK;
}

HRESULT SimCaptureFilter::QueryVendorInfo(LPWSTR* info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HANDLE SimCaptureFilter::KsGetObjectHandle() {
    if (!device && devicePath[0])
        device = CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        device = nullptr;
    return device;
}
