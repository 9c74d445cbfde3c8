#include "install/system_snapshot.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// Deeper than any key or folder of a Wine prefix; a guard against a link loop.
constexpr int MAX_DEPTH = 40;
// Enough of a value's data to tell two apart in a failure message.
constexpr size_t SHOWN_CHARS = 120;

// Closes a registry key when it goes out of scope.
struct OpenKey {
    HKEY key = nullptr;
    ~OpenKey() {
        if (key)
            RegCloseKey(key);
    }
};

std::string valueText(DWORD type, const BYTE* data, DWORD size) {
    char text[32];
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::string s(reinterpret_cast<const char*>(data), size);
        s.resize(std::strlen(s.c_str())); // stored with its terminator, or without one
        return std::string(type == REG_SZ ? "sz " : "expand_sz ") + "\"" + s + "\"";
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data, sizeof number);
        std::snprintf(text, sizeof text, "dword %lu", number);
        return text;
    }
    std::snprintf(text, sizeof text, "type %lu:", type);
    std::string hex = text;
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(text, sizeof text, " %02x", data[i]);
        hex += text;
    }
    return hex;
}

void addKey(SystemSnapshot& snapshot, HKEY root, const std::string& rootName,
            const std::string& path, int depth) {
    OpenKey open;
    if (RegOpenKeyExA(root, path.empty() ? nullptr : path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                      &open.key) != ERROR_SUCCESS)
        return;
    const std::string name = path.empty() ? rootName : rootName + "\\" + path;
    snapshot[name] = "key";

    DWORD subkeys = 0, values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(open.key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<char> valueName(longestName + 2);
    std::vector<BYTE> data(longestData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameSize = static_cast<DWORD>(valueName.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegEnumValueA(open.key, i, valueName.data(), &nameSize, nullptr, &type, data.data(),
                          &dataSize) == ERROR_SUCCESS)
            snapshot[name + " [" + std::string(valueName.data(), nameSize) + "]"] =
                valueText(type, data.data(), dataSize);
    }
    if (depth >= MAX_DEPTH)
        return;
    for (DWORD i = 0; i < subkeys; ++i) {
        char subkey[256]; // key names have at most 255 characters
        DWORD size = sizeof subkey;
        if (RegEnumKeyExA(open.key, i, subkey, &size, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            addKey(snapshot, root, rootName, path.empty() ? subkey : path + "\\" + subkey,
                   depth + 1);
    }
}

void addFolder(SystemSnapshot& snapshot, const std::string& folder, int depth) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        const std::string path = folder + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            snapshot[path] = "link";
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snapshot[path] = "folder";
            if (depth < MAX_DEPTH)
                addFolder(snapshot, path, depth + 1);
        } else {
            const ULONGLONG size =
                (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            snapshot[path] = std::to_string(size) + " bytes";
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool ignoredEntry(const std::string& name, const std::vector<std::string>& ignored) {
    for (const std::string& prefix : ignored)
        if (_strnicmp(name.c_str(), prefix.c_str(), prefix.size()) == 0)
            return true;
    return false;
}

std::string shown(const std::string& text) {
    return text.size() <= SHOWN_CHARS ? text : text.substr(0, SHOWN_CHARS) + "...";
}

} // namespace

SystemSnapshot takeSystemSnapshot() {
    SystemSnapshot snapshot;
    addKey(snapshot, HKEY_LOCAL_MACHINE, "HKLM", "", 0);
    addKey(snapshot, HKEY_USERS, "HKU", "", 0);
    addFolder(snapshot, "C:", 0);
    return snapshot;
}

std::vector<std::string> snapshotDifferences(const SystemSnapshot& before,
                                             const SystemSnapshot& after,
                                             const std::vector<std::string>& ignored) {
    std::vector<std::string> lines;
    for (const auto& [name, held] : before) {
        if (ignoredEntry(name, ignored))
            continue;
        const auto now = after.find(name);
        if (now == after.end())
            lines.push_back("- " + name + " = " + shown(held));
        else if (now->second != held)
            lines.push_back("~ " + name + " = " + shown(held) + " -> " + shown(now->second));
    }
    for (const auto& [name, held] : after)
        if (!ignoredEntry(name, ignored) && before.count(name) == 0)
            lines.push_back("+ " + name + " = " + shown(held));
    return lines;
}
