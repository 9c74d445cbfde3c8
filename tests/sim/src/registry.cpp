// The simulated registry: keys by path under HKLM and HKCU, typed values, per-key rights.
#include "state.h"

#include <cstring>

namespace sim::detail {

namespace {

std::string rootName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE)
        return "HKLM";
    if (root == HKEY_CURRENT_USER)
        return "HKCU";
    if (root == HKEY_CLASSES_ROOT)
        return "HKCR";
    return "";
}

} // namespace

std::string keyPath(HKEY root, const std::string& subKey) {
    const auto& open = desktop().openKeys;
    auto it = open.find(reinterpret_cast<std::uintptr_t>(root));
    std::string base = it != open.end() ? it->second.path : rootName(root);
    if (base.empty())
        return "";
    return subKey.empty() ? base : base + "\\" + subKey;
}

} // namespace sim::detail

namespace {

using sim::detail::desktop;
using sim::detail::lower;
using sim::detail::RegKey;

std::string displayPath(HKEY root, const std::string& sub) {
    return sim::detail::keyPath(root, sub);
}

RegKey* findKey(const std::string& path) {
    auto& keys = desktop().keys;
    auto it = keys.find(lower(path));
    return it == keys.end() ? nullptr : &it->second;
}

// Rights come from the nearest key on the path that carries a restriction.
bool pathWritable(const std::string& path) {
    std::string p = lower(path);
    for (;;) {
        if (const RegKey* k = findKey(p))
            if (!k->writable)
                return false;
        auto cut = p.rfind('\\');
        if (cut == std::string::npos)
            return true;
        p.resize(cut);
    }
}

bool pathOpenable(const std::string& path) {
    std::string p = lower(path);
    for (;;) {
        if (const RegKey* k = findKey(p))
            if (!k->openable)
                return false;
        auto cut = p.rfind('\\');
        if (cut == std::string::npos)
            return true;
        p.resize(cut);
    }
}

RegKey& makeKey(const std::string& path) {
    auto& keys = desktop().keys;
    std::string p = path;
    // Parents exist implicitly, as they do in a real registry.
    for (auto cut = p.find('\\'); cut != std::string::npos; cut = p.find('\\', cut + 1)) {
        const std::string parent = p.substr(0, cut);
        if (!keys.count(lower(parent)))
            keys[lower(parent)].displayPath = parent;
    }
    RegKey& k = keys[lower(p)];
    if (k.displayPath.empty())
        k.displayPath = p;
    return k;
}

HKEY newHandle(const std::string& path, bool canWrite) {
    auto& d = desktop();
    const std::uintptr_t h = d.nextKey++;
    d.openKeys[h] = {path, canWrite};
    return reinterpret_cast<HKEY>(h);
}

const sim::detail::OpenKey* openKey(HKEY key) {
    auto& open = desktop().openKeys;
    auto it = open.find(reinterpret_cast<std::uintptr_t>(key));
    return it == open.end() ? nullptr : &it->second;
}

bool validRoot(HKEY key) {
    return key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT ||
           openKey(key);
}

bool wantsWrite(REGSAM sam) {
    return (sam & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC |
                   WRITE_OWNER)) != 0;
}

LSTATUS openWith(HKEY root, LPCSTR subKey, REGSAM sam, bool maximumAllowed, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!validRoot(root))
        return ERROR_INVALID_HANDLE;
    const std::string path = displayPath(root, subKey ? subKey : "");
    if (!findKey(path) && path.find('\\') != std::string::npos)
        return ERROR_FILE_NOT_FOUND;
    if (!pathOpenable(path))
        return ERROR_ACCESS_DENIED;
    const bool writable = pathWritable(path);
    if (!maximumAllowed && wantsWrite(sam) && !writable)
        return ERROR_ACCESS_DENIED;
    *result = newHandle(path, writable && (maximumAllowed || wantsWrite(sam)));
    return ERROR_SUCCESS;
}

} // namespace

namespace sim {

void regCreateKey(HKEY root, const std::string& path) {
    makeKey(displayPath(root, path));
}

void regSetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 std::vector<BYTE> data) {
    RegKey& k = makeKey(displayPath(root, path));
    k.values[lower(name)] = {name, RegValue{type, std::move(data)}};
}

void regSetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    std::vector<BYTE> data(4);
    std::memcpy(data.data(), &value, 4);
    regSetValue(root, path, name, REG_DWORD, std::move(data));
}

void regSetString(HKEY root, const std::string& path, const std::string& name,
                  const std::string& text, bool terminated) {
    std::vector<BYTE> data(text.begin(), text.end());
    if (terminated)
        data.push_back(0);
    regSetValue(root, path, name, REG_SZ, std::move(data));
}

bool regKeyExists(HKEY root, const std::string& path) {
    return findKey(displayPath(root, path)) != nullptr;
}

std::optional<RegValue> regValue(HKEY root, const std::string& path, const std::string& name) {
    const RegKey* k = findKey(displayPath(root, path));
    if (!k)
        return std::nullopt;
    auto it = k->values.find(lower(name));
    if (it == k->values.end())
        return std::nullopt;
    return it->second.second;
}

void regDenyWrite(HKEY root, const std::string& path) {
    makeKey(displayPath(root, path)).writable = false;
}

void regDenyAll(HKEY root, const std::string& path) {
    RegKey& k = makeKey(displayPath(root, path));
    k.writable = false;
    k.openable = false;
}

} // namespace sim

LSTATUS WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    // RegOpenKey asks for the most access the caller may have.
    return openWith(hKey, lpSubKey, MAXIMUM_ALLOWED, true, phkResult);
}

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired,
                             PHKEY phkResult) {
    return openWith(hKey, lpSubKey, samDesired, false, phkResult);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                               LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult || !lpSubKey)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    if (!validRoot(hKey))
        return ERROR_INVALID_HANDLE;
    const std::string path = displayPath(hKey, lpSubKey);
    if (findKey(path)) {
        LSTATUS status = openWith(hKey, lpSubKey, samDesired, false, phkResult);
        if (status == ERROR_SUCCESS && lpdwDisposition)
            *lpdwDisposition = REG_OPENED_EXISTING_KEY;
        return status;
    }
    if (!pathOpenable(path) || !pathWritable(path))
        return ERROR_ACCESS_DENIED;
    sim::record("RegCreateKeyEx " + path);
    makeKey(path);
    if (lpdwDisposition)
        *lpdwDisposition = REG_CREATED_NEW_KEY;
    *phkResult = newHandle(path, true);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
    const sim::detail::OpenKey* open = openKey(hKey);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    const RegKey* k = findKey(open->path);
    if (!k)
        return ERROR_FILE_NOT_FOUND;
    auto it = k->values.find(lower(lpValueName ? lpValueName : ""));
    if (it == k->values.end())
        return ERROR_FILE_NOT_FOUND;
    const sim::RegValue& v = it->second.second;
    const DWORD size = static_cast<DWORD>(v.data.size());
    if (lpType)
        *lpType = v.type;
    if (!lpData) {
        if (lpcbData)
            *lpcbData = size;
        return ERROR_SUCCESS;
    }
    if (*lpcbData < size) {
        // Windows leaves the buffer's contents undefined; scribble on it so that code relying on
        // them is caught.
        std::memset(lpData, 0xCC, *lpcbData);
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    std::memcpy(lpData, v.data.data(), size);
    *lpcbData = size;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
    const sim::detail::OpenKey* open = openKey(hKey);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (!open->canWrite)
        return ERROR_ACCESS_DENIED;
    const std::string name = lpValueName ? lpValueName : "";
    std::vector<BYTE> data(lpData, lpData + (lpData ? cbData : 0));
    std::string bytes;
    for (BYTE b : data) {
        char text[4];
        std::snprintf(text, sizeof text, "%02X", b);
        bytes += bytes.empty() ? text : std::string(" ") + text;
    }
    RegKey* k = findKey(open->path);
    sim::record("RegSetValueEx " + (k ? k->displayPath : open->path) +
                " name=" + sim::quoted(name.c_str()) + " type=" + std::to_string(dwType) +
                " data=[" + bytes + "]");
    if (!k)
        return ERROR_FILE_NOT_FOUND;
    k->values[lower(name)] = {name, sim::RegValue{dwType, std::move(data)}};
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegFlushKey(HKEY hKey) {
    const sim::detail::OpenKey* open = openKey(hKey);
    if (!open)
        return ERROR_INVALID_HANDLE;
    const RegKey* k = findKey(open->path);
    sim::record("RegFlushKey " + (k ? k->displayPath : open->path));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    return desktop().openKeys.erase(reinterpret_cast<std::uintptr_t>(hKey)) ? ERROR_SUCCESS
                                                                            : ERROR_INVALID_HANDLE;
}
