#include "card_service.h"

#include "card/card_protocol.h"
#include "deadline.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>

namespace {

// Wine starts a driver service in its device host process a little after StartService returns.
constexpr DWORD CARD_START_TIMEOUT_MS = 20000;
constexpr DWORD CARD_HOST_END_TIMEOUT_MS = 10000;

// Closes a service-manager handle when it goes out of scope.
struct ServiceHandle {
    SC_HANDLE handle;
    explicit ServiceHandle(SC_HANDLE h) : handle(h) {}
    ~ServiceHandle() {
        if (handle)
            CloseServiceHandle(handle);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
};

std::string describe(const char* what, DWORD error) {
    char text[160];
    std::snprintf(text, sizeof text, "%s failed with system error %lu", what, error);
    return text;
}

// How many card devices open now.
DWORD devicesOpening() {
    DWORD opening = 0;
    for (DWORD i = 0; i < CARD_DEVICE_COUNT; ++i) {
        char path[64];
        std::snprintf(path, sizeof path, "%s%lu", CARD_USER_PATH_PREFIX, i);
        HANDLE device = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (device != INVALID_HANDLE_VALUE) {
            CloseHandle(device);
            ++opening;
        }
    }
    return opening;
}

bool allDevicesOpen() {
    return devicesOpening() == CARD_DEVICE_COUNT;
}

// True when the process has a module of this name loaded.
bool hasModule(DWORD processId, const char* moduleName) {
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (modules == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 module;
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(modules, &module); more && !found;
         more = Module32Next(modules, &module))
        found = lstrcmpiA(module.szModule, moduleName) == 0;
    CloseHandle(modules);
    return found;
}

// The device host that has the card's driver loaded, or 0. Wine runs every driver service in a
// winedevice.exe, several of them at once; this one sees only its own prefix's processes.
DWORD cardDriverHost() {
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 process;
    process.dwSize = sizeof process;
    DWORD host = 0;
    for (BOOL more = Process32First(processes, &process); more && !host;
         more = Process32Next(processes, &process))
        if (lstrcmpiA(process.szExeFile, "winedevice.exe") == 0 &&
            hasModule(process.th32ProcessID, CARD_DRIVER_FILE))
            host = process.th32ProcessID;
    CloseHandle(processes);
    return host;
}

// Points an existing service at `image` when it names another file.
bool matchImagePath(SC_HANDLE service, const std::string& image, std::string* problem) {
    DWORD needed = 0;
    QueryServiceConfigA(service, nullptr, 0, &needed);
    std::string buffer(needed + 1, '\0');
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(&buffer[0]);
    if (!QueryServiceConfigA(service, config, static_cast<DWORD>(buffer.size()), &needed)) {
        *problem = describe("QueryServiceConfigA", GetLastError());
        return false;
    }
    if (config->lpBinaryPathName && lstrcmpiA(config->lpBinaryPathName, image.c_str()) == 0)
        return true;
    if (!ChangeServiceConfigA(service, SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                              SERVICE_ERROR_NORMAL, image.c_str(), nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr)) {
        *problem = describe("ChangeServiceConfigA", GetLastError());
        return false;
    }
    return true;
}

} // namespace

std::string besideThisProgram(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return fileName;
    std::string result(path, length);
    const size_t slash = result.find_last_of("\\/");
    result.resize(slash == std::string::npos ? 0 : slash + 1);
    return result + fileName;
}

int ensureCardDriver(std::string* problem) {
    std::string ignored;
    if (!problem)
        problem = &ignored;
    if (allDevicesOpen())
        return 1;

    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) {
        *problem = describe("OpenSCManagerA", GetLastError());
        return 0;
    }
    const std::string image = besideThisProgram(CARD_DRIVER_FILE);
    ServiceHandle service(OpenServiceA(manager.handle, CARD_SERVICE_NAME, SERVICE_ALL_ACCESS));
    if (!service.handle) {
        service.handle = CreateServiceA(
            manager.handle, CARD_SERVICE_NAME, "QN520 simulated capture card", SERVICE_ALL_ACCESS,
            SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, image.c_str(),
            nullptr, nullptr, nullptr, nullptr, nullptr);
        if (!service.handle) {
            *problem = describe("CreateServiceA", GetLastError());
            return 0;
        }
    } else if (!matchImagePath(service.handle, image, problem)) {
        return 0;
    }

    if (!StartServiceA(service.handle, 0, nullptr) &&
        GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
        *problem = describe("StartServiceA", GetLastError());
        return 0;
    }
    if (!waitUntil(allDevicesOpen, CARD_START_TIMEOUT_MS, 10)) {
        *problem = "the card's devices did not appear within the deadline";
        return 0;
    }
    return 1;
}

int endCardDriverHost(std::string* problem) {
    std::string ignored;
    if (!problem)
        problem = &ignored;
    const DWORD host = cardDriverHost();
    if (!host) {
        *problem = "no device host has " CARD_DRIVER_FILE " loaded";
        return 0;
    }
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, host);
    if (!process) {
        *problem = describe("OpenProcess (the card's device host)", GetLastError());
        return 0;
    }
    const bool ended = TerminateProcess(process, 1) &&
                       WaitForSingleObject(process, CARD_HOST_END_TIMEOUT_MS) == WAIT_OBJECT_0;
    const DWORD error = GetLastError();
    CloseHandle(process);
    if (!ended) {
        *problem = describe("ending the card's device host", error);
        return 0;
    }
    if (!waitUntil([] { return devicesOpening() == 0; }, CARD_HOST_END_TIMEOUT_MS, 10)) {
        *problem = "the card's devices still open after their host ended";
        return 0;
    }
    return 1;
}
