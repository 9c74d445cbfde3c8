#include "program/foreign_windows.h"

#include "harness/deadline.h"

#include <cstring>

namespace {

// A program that does not answer within this long is broken; the tests then fail, not hang.
constexpr UINT SEND_TIMEOUT_MS = 5000;

struct Search {
    DWORD process;
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && (!search->visibleOnly || IsWindowVisible(window)) &&
        windowClass(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK readControl(HWND child, LPARAM context) {
    auto* controls = reinterpret_cast<std::vector<ControlInfo>*>(context);
    ControlInfo control;
    control.id = GetDlgCtrlID(child);
    control.kind = windowClass(child);
    control.text = windowText(child);
    control.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    GetWindowRect(child, &control.rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&control.rect), 2);
    controls->push_back(control);
    return TRUE;
}

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                             &result))
        return failed;
    return static_cast<LRESULT>(result);
}

} // namespace

std::vector<HWND> visibleWindowsOf(DWORD process, const char* className) {
    Search search = {process, className, true, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> windowsOf(DWORD process, const char* className) {
    Search search = {process, className, false, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND dialogOf(DWORD process, const char* caption) {
    for (HWND dialog : visibleWindowsOf(process, "#32770"))
        if (windowText(dialog) == caption)
            return dialog;
    return nullptr;
}

HWND waitForDialog(DWORD process, const char* caption, DWORD timeoutMs) {
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = dialogOf(process, caption)) != nullptr; }, timeoutMs, 5);
    return dialog;
}

std::vector<ControlInfo> controlsOf(HWND dialog) {
    std::vector<ControlInfo> controls;
    EnumChildWindows(dialog, readControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = sendWithTimeout(combo, CB_GETCOUNT, 0, 0, CB_ERR);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = sendWithTimeout(combo, CB_GETLBTEXTLEN, i, 0, CB_ERR);
        if (length == CB_ERR || length > 255) {
            items.push_back("(unreadable)");
            continue;
        }
        // Wine copies the text across the process boundary in its wide form, even when asked
        // in the ANSI form (which then reads as its first letter), so ask for the wide form.
        WCHAR wide[256] = L"";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide),
                            SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &ignored);
        char text[256] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

int comboSelection(HWND combo) {
    return static_cast<int>(sendWithTimeout(combo, CB_GETCURSEL, 0, 0, CB_ERR));
}

bool clickDialogButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                               &result) != 0;
}

bool waitUntilClosed(HWND window, DWORD timeoutMs) {
    return waitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs,
                     5);
}
