// register_bench: what one register read costs under Wine with the simulated card, against one
// raw DeviceIoControl round trip on the same driver; and what finding the profile for a press
// costs (the window in front, its program's file name, 50 profiles). Prints the mean and the 99th
// percentile of each, and the machine it ran on. A measurement, not a test: nothing here passes
// or fails.
#include "card/card_protocol.h"
#include "harness/card_device.h"
#include "harness/card_service.h"
#include "harness/filter_registry.h"
#include "remote/capture_device.h"
#include "remote/register_request.h"
#include "profiles/profile_match.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int WARM_UP = 200;
constexpr int SAMPLES = 5000;
constexpr DWORD HELD_KEY = 30;

double ticksToMicroseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// Times `operation` SAMPLES times after WARM_UP untimed runs; false when it ever failed.
template <typename Operation>
bool measure(const char* what, Operation operation) {
    for (int i = 0; i < WARM_UP; ++i)
        if (!operation())
            return false;
    std::vector<LONGLONG> ticks(SAMPLES);
    for (LONGLONG& sample : ticks) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const bool ok = operation();
        QueryPerformanceCounter(&end);
        if (!ok)
            return false;
        sample = end.QuadPart - start.QuadPart;
    }
    std::sort(ticks.begin(), ticks.end());
    double total = 0;
    for (LONGLONG sample : ticks)
        total += static_cast<double>(sample);
    const LONGLONG p99 = ticks[static_cast<size_t>(SAMPLES * 0.99)];
    std::printf("%-34s mean %8.1f us   p99 %8.1f us   (%d samples)\n", what,
                ticksToMicroseconds(static_cast<LONGLONG>(total / SAMPLES)),
                ticksToMicroseconds(p99), SAMPLES);
    return true;
}

void printMachine() {
    char cpu[128] = "unknown processor";
    DWORD size = sizeof cpu - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, "ProcessorNameString", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(cpu), &size) == ERROR_SUCCESS)
            cpu[size < sizeof cpu ? size : sizeof cpu - 1] = '\0';
        RegCloseKey(key);
    }
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    using WineVersion = const char*(CDECL*)();
    const auto wineVersion = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    std::printf("machine: %s, %lu logical processors; %s %s\n", cpu,
                static_cast<unsigned long>(system.dwNumberOfProcessors),
                wineVersion ? "Wine" : "Windows", wineVersion ? wineVersion() : "");
}

// One get request of the register property set, sent and waited for the way the program does.
bool rawRoundTrip(HANDLE device, HANDLE event) {
    RegisterRequest request{};
    setRequestHeader(request, KSPROPERTY_FLAG_GET, CMD_READ_REGISTER);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    DWORD returned = 0;
    if (DeviceIoControl(device, KS_PROPERTY_IOCTL, &request, sizeof request, &request,
                        sizeof request, &returned, &overlapped))
        return true;
    return GetLastError() == ERROR_IO_PENDING &&
           GetOverlappedResult(device, &overlapped, &returned, TRUE);
}

// 50 profiles, of which only the last names this program: the search goes through them all.
bool measureProfileSearch() {
    std::string text;
    for (int i = 0; i < 49; ++i)
        text += "[Player " + std::to_string(i) + "]\nExe = player" + std::to_string(i) +
                ".exe\nTitle = Movie\nButton12 = Ctrl+Up\n";
    text += "[This one]\nExe = register_bench.exe\nTitle = movie\nButton12 = Space\n";
    const ProfileSet profiles = parseProfiles(text, false);
    HWND window =
        CreateWindowExA(0, "STATIC", "A Movie - Player", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    const bool ok = profiles.profiles.size() == 50 && GetForegroundWindow() == window &&
                    measure("profile of the window in front", [&profiles] {
                        const Profile* found = profileOf(profiles, GetForegroundWindow());
                        return found && found->name == "This one";
                    });
    DestroyWindow(window);
    return ok;
}

int fail(const char* what, const std::string& problem) {
    std::fprintf(stderr, "register_bench: %s: %s\n", what, problem.c_str());
    return 1;
}

} // namespace

int main() {
    std::string problem;
    if (!ensureCardDriver(&problem))
        return fail("the card", problem);
    CoInitialize(nullptr);
    CardDevice card(0);
    const FilterRegistration filter = {0, "Solvanta QN52X Video Capture", 0, ""};
    if (!clearVideoInputCategory(&problem) || !registerSimFilter(filter, &problem))
        return fail("the filter", problem);
    MessageBoxGuard boxes;
    CaptureDevice captureDevice(boxes);
    if (!card.reset() || !card.press(HELD_KEY) || !captureDevice.open() || !captureDevice.handle())
        return fail("opening the capture device", "no kernel-streaming handle");

    printMachine();
    const bool readOk = measure("readRegister (3 requests)", [&captureDevice] {
        bool ok = false;
        return captureDevice.readRegister(REMOTE_CODE_REGISTER, &ok) == HELD_KEY && ok;
    });
    HANDLE device = CreateFileA(CardDevice::path(0).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const bool rawOk = device != INVALID_HANDLE_VALUE && event &&
                       measure("DeviceIoControl round trip", [device, event] {
                           ResetEvent(event);
                           return rawRoundTrip(device, event);
                       });
    if (event)
        CloseHandle(event);
    if (device != INVALID_HANDLE_VALUE)
        CloseHandle(device);

    captureDevice.reopenAtNextRead();
    clearVideoInputCategory(nullptr);
    card.reset();
    CoUninitialize();
    if (!readOk || !rawOk)
        return fail("measuring", "a request failed");
    if (!measureProfileSearch())
        return fail("measuring", "the profile was not found");
    return 0;
}
