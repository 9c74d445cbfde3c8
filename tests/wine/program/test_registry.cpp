#include "program/test_registry.h"

#include <shlwapi.h>

bool writeValue(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool writeDword(const char* keyPath, const char* name, DWORD value) {
    return writeValue(keyPath, name, REG_DWORD, &value, sizeof value);
}

bool writeString(const char* keyPath, const char* name, const std::string& text) {
    return writeValue(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool storeDefaultAppAsBinary(DWORD number) {
    return writeValue(SETTINGS_KEY_PATH, "DefaultTVAPP", REG_BINARY, &number, sizeof number);
}

RegistryValue readValue(const char* keyPath, const char* name) {
    RegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    BYTE data[64] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.type, data, &size) == ERROR_SUCCESS) {
        value.exists = true;
        if (size <= sizeof(DWORD))
            for (DWORD i = 0; i < size; ++i)
                value.number |= static_cast<DWORD>(data[i]) << (8 * i);
    }
    RegCloseKey(key);
    return value;
}

void deleteKeyTree(const char* keyPath) {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath);
}
