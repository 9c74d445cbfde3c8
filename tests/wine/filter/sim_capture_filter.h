// A minimal video capture filter of the simulated card: IBaseFilter for the device enumerator's
// bind, and IKsObject whose handle is opened, for overlapped I/O, on one card device.
#pragma once

#include "sim_filter_config.h"

#include <dshow.h>

// The kernel-streaming object interface; its own header needs the whole kernel-streaming header
// set for this one method.
extern const GUID IID_IKsObjectSim;
struct IKsObject : public IUnknown {
    virtual HANDLE STDMETHODCALLTYPE KsGetObjectHandle() = 0;
};

// Live objects and server locks of the DLL, for DllCanUnloadNow.
extern LONG simFilterModuleLocks;

class SimCaptureFilter final : public IBaseFilter, public IKsObject {
public:
    // devicePath: the card device to open, or "" for a filter without a kernel-streaming handle.
    SimCaptureFilter(const CLSID& clsid, const char* devicePath);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPersist
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    // IMediaFilter
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;
    // IKsObject
    HANDLE STDMETHODCALLTYPE KsGetObjectHandle() override;

private:
    ~SimCaptureFilter();

    LONG references = 1;
    CLSID clsid;
    char devicePath[SIM_FILTER_DEVICE_PATH_BYTES];
    HANDLE device = nullptr;
    FILTER_STATE filterState = State_Stopped;
};
