// The system device enumerator over the simulated video input devices, and the COM around it:
// COM start-up on the thread, variants, and each device's moniker, property bag and filter. Every
// object counts the references it hands out in the desktop's tally, so a test sees any reference
// not released.
#include "state.h"

#include <dshow.h>

#include <cstring>
#include <string>

using sim::detail::desktop;

// The kernel-streaming object interface, as the system declares it.
struct IKsObject : public IUnknown {
    virtual HANDLE STDMETHODCALLTYPE KsGetObjectHandle() = 0;
};

const IID IID_IBaseFilter = {
    0x56A86895, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
const IID IID_IPropertyBag = {
    0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
const IID IID_ICreateDevEnum = {
    0x29840822, 0x5B84, 0x11D0, {0xBD, 0x3B, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
const CLSID CLSID_SystemDeviceEnum = {
    0x62BE5D10, 0x60EB, 0x11D0, {0xBD, 0x3B, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
const CLSID CLSID_VideoInputDeviceCategory = {
    0x860BB310, 0x5D01, 0x11D0, {0xBD, 0x3B, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};

namespace {

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IMoniker = {0x0000000F, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IEnumMoniker = {0x00000102, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IKsObject = {
    0x423C13A2, 0x2070, 0x11D0, {0x9E, 0xF7, 0x00, 0xAA, 0x00, 0xA2, 0x16, 0xA1}};

bool same(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Hands the caller a new reference to the interface.
HRESULT handOut(IUnknown* interface, void** object) {
    interface->AddRef();
    *object = interface;
    return S_OK;
}

// A COM object of one interface (whose IID is Iid), made with one reference for its maker and
// deleted at its last Release.
template <class Interface, const IID& Iid>
class Object : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (same(riid, IID_IUnknown) || same(riid, Iid))
            return handOut(this, object);
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++desktop().comReferences;
        return ++references;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        --desktop().comReferences;
        const ULONG left = --references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    Object() { ++desktop().comReferences; }
    virtual ~Object() = default;

private:
    ULONG references = 1;
};

// Gives the maker's reference up once the caller has its own (or nothing, on failure).
HRESULT handOutNew(IUnknown* made, REFIID riid, void** object) {
    const HRESULT result = made->QueryInterface(riid, object);
    made->Release();
    return result;
}

class Filter : public Object<IBaseFilter, IID_IBaseFilter>, public IKsObject {
public:
    explicit Filter(HANDLE handle) : handle(handle) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (same(riid, IID_IKsObject))
            return handOut(static_cast<IKsObject*>(this), object);
        return Object::QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Object::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return Object::Release(); }
    HANDLE STDMETHODCALLTYPE KsGetObjectHandle() override { return handle; }

private:
    HANDLE handle;
};

class PropertyBag : public Object<IPropertyBag, IID_IPropertyBag> {
public:
    explicit PropertyBag(std::optional<std::string> friendlyName)
        : friendlyName(std::move(friendlyName)) {}
    // A device's storage holds its friendly name alone; the value is given as a string. A value
    // not there fails the read and leaves the variant as it was.
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (!friendlyName || std::wstring(name) != L"FriendlyName")
            return static_cast<HRESULT>(0x80070000u | ERROR_FILE_NOT_FOUND);
        value->vt = VT_BSTR;
        value->bstrVal = new WCHAR[friendlyName->size() + 1];
        for (size_t i = 0; i <= friendlyName->size(); ++i)
            value->bstrVal[i] = static_cast<unsigned char>(friendlyName->c_str()[i]);
        return S_OK;
    }

private:
    std::optional<std::string> friendlyName;
};

class Moniker : public Object<IMoniker, IID_IMoniker> {
public:
    explicit Moniker(sim::VideoInputDevice device) : device(std::move(device)) {}
    HRESULT STDMETHODCALLTYPE BindToObject(IBindCtx*, IMoniker*, REFIID riid,
                                           void** object) override {
        return handOutNew(static_cast<IBaseFilter*>(new Filter(device.handle)), riid, object);
    }
    HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx*, IMoniker*, REFIID riid,
                                            void** object) override {
        return handOutNew(new PropertyBag(device.friendlyName), riid, object);
    }

private:
    sim::VideoInputDevice device;
};

class MonikerEnumerator : public Object<IEnumMoniker, IID_IEnumMoniker> {
public:
    explicit MonikerEnumerator(std::vector<sim::VideoInputDevice> devices)
        : devices(std::move(devices)) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IMoniker** monikers, ULONG* fetched) override {
        ULONG taken = 0;
        for (; taken < count && next < devices.size(); ++taken)
            monikers[taken] = new Moniker(devices[next++]);
        if (fetched)
            *fetched = taken;
        return taken == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next = 0;
        return S_OK;
    }

private:
    std::vector<sim::VideoInputDevice> devices;
    size_t next = 0;
};

class DeviceEnumerator : public Object<ICreateDevEnum, IID_ICreateDevEnum> {
public:
    // Another category, or one without devices, is empty: S_FALSE and no enumerator.
    HRESULT STDMETHODCALLTYPE CreateClassEnumerator(REFCLSID category, IEnumMoniker** monikers,
                                                    DWORD) override {
        auto& d = desktop();
        ++d.enumerations;
        *monikers = nullptr;
        if (!same(category, CLSID_VideoInputDeviceCategory) || d.videoInputs.empty())
            return S_FALSE;
        *monikers = new MonikerEnumerator(d.videoInputs);
        return S_OK;
    }
};

} // namespace

namespace sim {

void setVideoInputDevices(std::vector<VideoInputDevice> devices) {
    desktop().videoInputs = std::move(devices);
}
int deviceEnumerations() {
    return desktop().enumerations;
}
int comInitCount() {
    return desktop().comInitBalance;
}
int comReferences() {
    return desktop().comReferences;
}

} // namespace sim

HRESULT WINAPI CoInitialize(LPVOID) {
    auto& d = desktop();
    sim::record("CoInitialize");
    ++d.comInitBalance;
    return ++d.comInitDepth == 1 ? S_OK : S_FALSE;
}

void WINAPI CoUninitialize(void) {
    auto& d = desktop();
    sim::record("CoUninitialize");
    --d.comInitBalance;
    if (d.comInitDepth > 0)
        --d.comInitDepth;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, IUnknown*, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv) {
    *ppv = nullptr;
    if (desktop().comInitDepth == 0)
        return CO_E_NOTINITIALIZED;
    if (!same(rclsid, CLSID_SystemDeviceEnum) || !(dwClsContext & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    return handOutNew(new DeviceEnumerator, riid, ppv);
}

// VariantInit sets the type alone, as Win32's does. The value it leaves is garbage; here a string
// that nothing allocated, so freeing it is caught.
void WINAPI VariantInit(VARIANT* pvarg) {
    pvarg->vt = VT_EMPTY;
    pvarg->bstrVal = reinterpret_cast<BSTR>(alignof(WCHAR));
}

HRESULT WINAPI VariantClear(VARIANT* pvarg) {
    if (pvarg->vt == VT_BSTR)
        delete[] pvarg->bstrVal;
    pvarg->vt = VT_EMPTY;
    return S_OK;
}
