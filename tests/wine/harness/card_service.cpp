#include "card_service.h"

#include "card/card_protocol.h"
#include "deadline.h"

#include <windows.h>

#include <cstdio>

namespace {

// Wine starts a driver service in its device host process a little after StartService returns.
constexpr DWORD CARD_START_TIMEOUT_MS = 20000;

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

bool allDevicesOpen() {
    for (DWORD i = 0; i < CARD_DEVICE_COUNT; ++i) {
        char path[64];
        std::snprintf(path, sizeof path, "%s%lu", CARD_USER_PATH_PREFIX, i);
        HANDLE device = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (device == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(device);
    }
    return true;
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
