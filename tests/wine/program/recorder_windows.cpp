#include "program/recorder_windows.h"

#include <cstdio>

namespace {

constexpr const char* RECORDER_CLASS = "QN520TestRecorder";
// Posted by the test itself to learn that everything posted before it has been handled.
constexpr UINT FLUSH_MESSAGE = WM_APP + 17;
constexpr int FLUSH_TIMEOUT_MS = 10000;

std::string describe(UINT message, WPARAM wParam, LPARAM lParam) {
    const char* name = nullptr;
    switch (message) {
    case WM_COMMAND:
        name = "WM_COMMAND";
        break;
    case WM_CLOSE:
        name = "WM_CLOSE";
        break;
    case WM_DESTROY:
        name = "WM_DESTROY";
        break;
    case WM_SYSCOMMAND:
        name = "WM_SYSCOMMAND";
        break;
    default:
        break;
    }
    char line[96];
    if (name)
        std::snprintf(line, sizeof line, "%s 0x%llX 0x%llX", name,
                      static_cast<unsigned long long>(wParam),
                      static_cast<unsigned long long>(lParam));
    else
        std::snprintf(line, sizeof line, "message 0x%X 0x%llX 0x%llX", message,
                      static_cast<unsigned long long>(wParam),
                      static_cast<unsigned long long>(lParam));
    return line;
}

// Sent messages that another program could use to end a window; the window manager's own
// traffic (sizes, activation, painting) is not recorded.
bool recordedWhenSent(UINT message) {
    return message == WM_CLOSE || message == WM_COMMAND || message == WM_SYSCOMMAND;
}

} // namespace

RecorderWindows::RecorderWindows(const std::vector<std::string>& windowTitles)
    : titles(windowTitles), messages(windowTitles.size()) {
    thread = std::thread([this] { run(); });
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [this] { return ready; });
}

RecorderWindows::~RecorderWindows() {
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    thread.join();
}

void RecorderWindows::run() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = RECORDER_CLASS;
    RegisterClassA(&windowClass); // fails harmlessly when an earlier test registered it
    std::vector<HWND> created;
    for (const std::string& title : titles) {
        // Never shown: hidden windows are found all the same, and get no activation traffic.
        HWND window = CreateWindowExA(0, RECORDER_CLASS, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                                      100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
        if (!window)
            break;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        created.push_back(window);
    }
    // The last one raised ends on top: raise them from the last listed to the first.
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    {
        std::lock_guard<std::mutex> guard(lock);
        windows = created;
        threadId = GetCurrentThreadId();
        ready = true;
    }
    changed.notify_all();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    for (HWND window : created)
        DestroyWindow(window);
}

LRESULT CALLBACK RecorderWindows::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<RecorderWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == FLUSH_MESSAGE) {
        {
            std::lock_guard<std::mutex> guard(self->lock);
            ++self->flushesDone;
        }
        self->changed.notify_all();
        return 0;
    }
    if (!InSendMessage() || recordedWhenSent(message)) {
        self->record(window, message, wParam, lParam);
        // Like a utility that does not quit: nothing is carried out.
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RecorderWindows::record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> guard(lock);
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] == window)
            messages[i].push_back(describe(message, wParam, lParam));
}

bool RecorderWindows::stackedAsListed() const {
    size_t next = 0;
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window && next < windows.size();
         window = GetWindow(window, GW_HWNDNEXT))
        if (window == windows[next])
            ++next;
    return next == windows.size();
}

std::vector<std::string> RecorderWindows::received(size_t index) {
    std::unique_lock<std::mutex> guard(lock);
    const int target = flushesDone + 1;
    PostMessageA(windows[0], FLUSH_MESSAGE, 0, 0);
    changed.wait_for(guard, std::chrono::milliseconds(FLUSH_TIMEOUT_MS),
                     [&] { return flushesDone >= target; });
    return messages[index];
}
