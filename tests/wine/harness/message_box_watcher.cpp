#include "message_box_watcher.h"

#include "deadline.h"
#include "harness/window_text.h"

namespace {

// A box is held open at most this long for a test's condition, and must close this soon after
// OK was pressed; neither limit is reached unless something is broken.
constexpr DWORD HOLD_TIMEOUT_MS = 10000;
constexpr DWORD CLOSE_TIMEOUT_MS = 10000;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Visible only once the dialog has finished its set-up, so its text is in place.
    if (process == search->process && IsWindowVisible(window) && windowClass(window) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK readChild(HWND child, LPARAM context) {
    auto* box = reinterpret_cast<SeenMessageBox*>(context);
    if (!IsWindowVisible(child))
        return TRUE;
    const std::string kind = windowClass(child);
    if (kind == "Button")
        box->buttonIds.push_back(GetDlgCtrlID(child));
    else if (kind == "Static" && box->text.empty())
        box->text = windowText(child); // the icon is a static too, without text
    return TRUE;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher() : thread([this] { run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stopping = true;
    thread.join();
}

void MessageBoxWatcher::holdBoxesUntil(std::function<bool()> ready) {
    std::lock_guard<std::mutex> guard(lock);
    gate = std::move(ready);
}

std::vector<SeenMessageBox> MessageBoxWatcher::seen() {
    std::lock_guard<std::mutex> guard(lock);
    return boxes;
}

std::vector<std::string> MessageBoxWatcher::seenLines() {
    std::vector<std::string> lines;
    for (const SeenMessageBox& box : seen())
        lines.push_back(box.caption + " | " + box.text);
    return lines;
}

void MessageBoxWatcher::run() {
    while (!stopping) {
        Search search = {GetCurrentProcessId(), nullptr};
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            answer(search.found);
        else
            Sleep(2);
    }
}

void MessageBoxWatcher::answer(HWND box) {
    SeenMessageBox seenBox;
    seenBox.caption = windowText(box);
    seenBox.owned = GetWindow(box, GW_OWNER) != nullptr;
    EnumChildWindows(box, readChild, reinterpret_cast<LPARAM>(&seenBox));
    std::function<bool()> ready;
    {
        std::lock_guard<std::mutex> guard(lock);
        boxes.push_back(seenBox);
        ready = gate;
    }
    if (ready)
        waitUntil(ready, HOLD_TIMEOUT_MS);
    // Press the box's OK button (or, for a box without one, its default answer).
    HWND ok = GetDlgItem(box, IDOK);
    DWORD_PTR result = 0;
    if (ok)
        SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, CLOSE_TIMEOUT_MS, &result);
    else
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    waitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, CLOSE_TIMEOUT_MS);
}
