#include "filter_registry.h"

#include "card/card_protocol.h"
#include "card_device.h"
#include "card_service.h"

#include <dshow.h>
#include <shlwapi.h>

#include <cstdio>

namespace {

std::string describe(const char* what, long code) {
    char text[160];
    std::snprintf(text, sizeof text, "%s failed with 0x%08lX", what,
                  static_cast<unsigned long>(code));
    return text;
}

std::wstring widen(const std::string& text) {
    wchar_t buffer[256];
    const int written =
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer / sizeof *buffer);
    return written > 0 ? std::wstring(buffer) : std::wstring();
}

std::string narrow(const wchar_t* text) {
    char buffer[256];
    const int written =
        WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return written > 0 ? std::string(buffer) : std::string();
}

std::string clsidText(const CLSID& clsid) {
    wchar_t text[40];
    StringFromGUID2(clsid, text, sizeof text / sizeof *text);
    return narrow(text);
}

std::string clsidKey(const CLSID& clsid) {
    return "CLSID\\" + clsidText(clsid);
}

bool setString(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// The filter DLL as the in-process server of this slot's CLSID, with the device it opens.
int registerServer(const FilterRegistration& filter, std::string* problem) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_CLASSES_ROOT, clsidKey(simFilterClsid(filter.slot)).c_str(),
                                  0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) {
        *problem = describe("RegCreateKeyExA (CLSID)", result);
        return 0;
    }
    const std::string device =
        filter.device == SIM_FILTER_NO_DEVICE ? std::string() : CardDevice::path(filter.device);
    HKEY server = nullptr;
    bool ok = setString(key, nullptr, "QN520 simulated capture filter") &&
              setString(key, SIM_FILTER_DEVICE_VALUE, device) &&
              RegCreateKeyExA(key, "InprocServer32", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &server, nullptr) == ERROR_SUCCESS;
    if (server) {
        ok = ok && setString(server, nullptr, besideThisProgram(SIM_FILTER_DLL)) &&
             setString(server, "ThreadingModel", "Both");
        RegCloseKey(server);
    }
    RegCloseKey(key);
    if (!ok)
        *problem = "writing the filter's COM server keys failed";
    return ok;
}

// Reads one text property of a device, or "".
std::string readProperty(IPropertyBag* bag, const wchar_t* name) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    std::string text;
    if (SUCCEEDED(bag->Read(name, &value, nullptr)) && value.vt == VT_BSTR)
        text = narrow(value.bstrVal);
    VariantClear(&value);
    return text;
}

// The card device a simulated filter's CLSID key names, or "".
std::string cardDeviceOf(const std::string& clsid) {
    char path[SIM_FILTER_DEVICE_PATH_BYTES] = "";
    DWORD size = sizeof path - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return "";
    if (RegQueryValueExA(key, SIM_FILTER_DEVICE_VALUE, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS)
        size = 0;
    RegCloseKey(key);
    path[size < sizeof path ? size : sizeof path - 1] = '\0';
    return path;
}

} // namespace

CLSID simFilterClsid(DWORD slot) {
    // {5154E520-5F1D-4C1A-9E0B-4E3200000000} + slot
    CLSID clsid = {0x5154E520, 0x5F1D, 0x4C1A, {0x9E, 0x0B, 0x4E, 0x32, 0x00, 0x00, 0x00, 0x00}};
    clsid.Data4[7] = static_cast<BYTE>(slot);
    return clsid;
}

int registerSimFilter(const FilterRegistration& filter, std::string* problem) {
    std::string ignored;
    if (!problem)
        problem = &ignored;
    if (filter.slot >= SIM_FILTER_SLOTS) {
        *problem = "no such filter slot";
        return 0;
    }
    if (!registerServer(filter, problem))
        return 0;

    IFilterMapper2* mapper = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFilterMapper2, reinterpret_cast<void**>(&mapper));
    if (FAILED(hr)) {
        *problem = describe("CoCreateInstance (FilterMapper2)", hr);
        return 0;
    }
    REGFILTER2 description = {};
    description.dwVersion = 1;
    description.dwMerit = MERIT_DO_NOT_USE;
    const std::wstring name = widen(filter.friendlyName);
    const std::wstring instance = widen(filter.instance);
    hr = mapper->RegisterFilter(simFilterClsid(filter.slot), name.c_str(), nullptr,
                                &CLSID_VideoInputDeviceCategory,
                                filter.instance.empty() ? nullptr : instance.c_str(), &description);
    mapper->Release();
    if (FAILED(hr)) {
        *problem = describe("IFilterMapper2::RegisterFilter", hr);
        return 0;
    }
    return 1;
}

DWORD firstFreeSimFilterSlot() {
    for (DWORD slot = 0; slot < SIM_FILTER_SLOTS; ++slot) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, clsidKey(simFilterClsid(slot)).c_str(), 0,
                          KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return slot;
        RegCloseKey(key);
    }
    return SIM_FILTER_SLOTS;
}

int clearVideoInputCategory(std::string* problem) {
    std::string ignored;
    if (!problem)
        problem = &ignored;
    const std::string instances = clsidKey(CLSID_VideoInputDeviceCategory) + "\\Instance";
    const DWORD result = SHDeleteKeyA(HKEY_CLASSES_ROOT, instances.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
        *problem = describe("SHDeleteKeyA (category instances)", static_cast<long>(result));
        return 0;
    }
    for (DWORD slot = 0; slot < SIM_FILTER_SLOTS; ++slot)
        SHDeleteKeyA(HKEY_CLASSES_ROOT, clsidKey(simFilterClsid(slot)).c_str());
    return 1;
}

std::string simFilterClsidText(DWORD slot) {
    return clsidText(simFilterClsid(slot));
}

std::vector<VideoInputDevice> videoInputDevices() {
    std::vector<VideoInputDevice> names;
    ICreateDevEnum* devices = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICreateDevEnum, reinterpret_cast<void**>(&devices))))
        return names;
    IEnumMoniker* monikers = nullptr;
    const HRESULT hr = devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0);
    devices->Release();
    if (hr != S_OK || !monikers)
        return names;
    IMoniker* moniker = nullptr;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        IPropertyBag* bag = nullptr;
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                             reinterpret_cast<void**>(&bag)))) {
            const std::string clsid = readProperty(bag, L"CLSID");
            names.push_back({readProperty(bag, L"FriendlyName"), clsid, cardDeviceOf(clsid)});
            bag->Release();
        }
        moniker->Release();
    }
    monikers->Release();
    return names;
}
