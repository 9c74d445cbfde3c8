// The filter DLL as an in-process COM server: every CLSID whose key carries the card device
// value is served by one SimCaptureFilter, so the harness can register as many distinct filters
// as a test needs without rebuilding anything.
#include "sim_capture_filter.h"

#include <cstdio>
#include <new>

namespace {

// Reads the card device of a CLSID; false when the CLSID is not one of ours.
bool readDevicePath(REFCLSID clsid, char* path, DWORD pathBytes) {
    wchar_t wide[40];
    char text[40];
    if (!StringFromGUID2(clsid, wide, sizeof wide / sizeof *wide) ||
        !WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr))
        return false;
    char keyName[64];
    std::snprintf(keyName, sizeof keyName, "CLSID\\%s", text);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = pathBytes - 1;
    const LONG result = RegQueryValueExA(key, SIM_FILTER_DEVICE_VALUE, nullptr, &type,
                                         reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    path[size < pathBytes ? size : pathBytes - 1] = '\0';
    return true;
}

class FilterFactory final : public IClassFactory {
public:
    FilterFactory(REFCLSID id, const char* path) : clsid(id) {
        lstrcpynA(devicePath, path, sizeof devicePath);
        InterlockedIncrement(&simFilterModuleLocks);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        SimCaptureFilter* filter = new (std::nothrow) SimCaptureFilter(clsid, devicePath);
        if (!filter)
            return E_OUTOFMEMORY;
        const HRESULT hr = filter->QueryInterface(riid, object);
        filter->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&simFilterModuleLocks);
        else
            InterlockedDecrement(&simFilterModuleLocks);
        return S_OK;
    }

private:
    ~FilterFactory() { InterlockedDecrement(&simFilterModuleLocks); }

    LONG references = 1;
    CLSID clsid;
    char devicePath[SIM_FILTER_DEVICE_PATH_BYTES];
};

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    char devicePath[SIM_FILTER_DEVICE_PATH_BYTES];
    if (!readDevicePath(clsid, devicePath, sizeof devicePath))
        return CLASS_E_CLASSNOTAVAILABLE;
    FilterFactory* factory = new (std::nothrow) FilterFactory(clsid, devicePath);
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return simFilterModuleLocks == 0 ? S_OK : S_FALSE;
}
