#include "program/standins.h"

#include "harness/card_service.h"
#include "harness/deadline.h"
#include "program/test_registry.h"

#include <tlhelp32.h>

#include <cstring>
#include <fstream>

namespace {

// Every folder a test installs into lies under one of these; the second has a blank in it.
constexpr const char* TEST_ROOTS[] = {"C:\\qn520-e2e\\", "C:\\qn520 e2e\\"};

constexpr const char* TRAP_EXE = "C:\\qn520.exe";
constexpr const char* TRAP_FILES[] = {TRAP_EXE, "C:\\standin.ini", "C:\\standin.log"};

constexpr const char* VENDOR_KEYS[] = {"Software\\Cyberlink", "Software\\Honestech",
                                       "Software\\InterVideo"};

constexpr DWORD END_TIMEOUT_MS = 5000;

bool underTestRoot(const char* path) {
    if (_stricmp(path, TRAP_EXE) == 0)
        return true;
    for (const char* root : TEST_ROOTS)
        if (_strnicmp(path, root, std::strlen(root)) == 0)
            return true;
    return false;
}

void createFolders(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

void removeAllStandins() {
    endStandinProcesses();
    for (const char* key : VENDOR_KEYS)
        deleteKeyTree(key);
    for (const char* file : TRAP_FILES)
        DeleteFileA(file);
    for (const char* root : TEST_ROOTS) {
        std::string folder = root;
        folder.pop_back();
        removeTree(folder);
    }
}

InstalledStandin::InstalledStandin(StandinRole role, const std::string& folder, const char* exeName)
    : app(&standinApp(role)), where(folder), exe(exeName ? exeName : app->exeName) {
    if (!underTestRoot((folder + "\\").c_str()))
        return; // only folders that the clean-up removes again
    createFolders(folder);
    const std::string ini = folder + "\\standin.ini";
    installed =
        CopyFileA(besideThisProgram("tvapp_standin.exe").c_str(), exePath().c_str(), FALSE) &&
        WritePrivateProfileStringA("standin", "role", app->name, ini.c_str()) &&
        (!app->subkey || writeString(app->subkey, app->valueName, folder));
}

std::string InstalledStandin::exePath() const {
    return where + "\\" + exe;
}

bool InstalledStandin::startHere() {
    std::string commandLine = "\"" + exePath() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        where.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waitUntil([this] { return window() != nullptr; }, 10000, 5);
}

std::vector<std::string> InstalledStandin::log() const {
    std::vector<std::string> lines;
    std::ifstream file(where + "\\standin.log");
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

int InstalledStandin::count(const std::string& line) const {
    int matches = 0;
    for (const std::string& logged : log())
        if (logged == line)
            ++matches;
    return matches;
}

bool InstalledStandin::waitForLine(const std::string& line, DWORD timeoutMs) const {
    return waitUntil([&] { return count(line) > 0; }, timeoutMs, 5);
}

HWND InstalledStandin::window() const {
    return FindWindowA(app->className, nullptr);
}

void InstalledStandin::clearLog() const {
    DeleteFileA((where + "\\standin.log").c_str());
}

bool installBlankPathTrap() {
    return CopyFileA(besideThisProgram("tvapp_standin.exe").c_str(), TRAP_EXE, FALSE) &&
           WritePrivateProfileStringA("standin", "role", "winrip", TRAP_FILES[1]);
}

bool blankPathTrapRan() {
    return GetFileAttributesA(TRAP_FILES[2]) != INVALID_FILE_ATTRIBUTES;
}

void endStandinProcesses() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        HANDLE process =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                        entry.th32ProcessID);
        if (!process)
            continue;
        char path[MAX_PATH];
        DWORD size = sizeof path;
        if (QueryFullProcessImageNameA(process, 0, path, &size) && underTestRoot(path)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, END_TIMEOUT_MS);
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}
