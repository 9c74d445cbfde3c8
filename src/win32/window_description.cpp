// Windows builds only: the Unicode calls that read another program's window are not simulated.
#include "win32/window_description.h"

#include "win32/later_calls.h"
#include "win32/owned.h"
#include "win32/unicode_text.h"
#include "win32/wide_calls.h"

#include <cstring>
#include <set>
#include <string_view>

namespace {

// Not in the headers of the program's oldest Windows.
constexpr DWORD QUERY_LIMITED_INFORMATION = 0x1000;
// The longest class name that RegisterClass takes, and its terminator.
constexpr int CLASS_NAME_UNITS = 257;
// A title longer than this is read as far as this; no window has ever needed more.
constexpr int MOST_TITLE_UNITS = 1 << 16;

static_assert(sizeof(WCHAR) == sizeof(char16_t), "UTF-16 units, as Windows has them");

std::string utf8Of(const WCHAR* text, int units) {
    return utf8FromUtf16(
        {reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(units)});
}

template <class Text>
std::string withoutFolder(const Text& path) {
    const std::size_t slash = path.find_last_of('\\');
    return std::string(slash == Text::npos ? path : path.substr(slash + 1));
}

std::string nameByQuery(DWORD processId) {
    const auto query = laterCalls().queryFullProcessImageName;
    if (!query)
        return {};
    const OwnedHandle process(OpenProcess(QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return {};
    WCHAR path[MAX_PATH];
    DWORD units = MAX_PATH;
    if (!query(process.get(), 0, path, &units) || units >= MAX_PATH)
        return {};
    return withoutFolder(utf8Of(path, static_cast<int>(units)));
}

std::string programNameOf(DWORD processId) {
    std::string name = nameByQuery(processId);
    return name.empty() ? programNameFromProcessList(processId) : name;
}

std::string programName(HWND window) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId) || processId == 0)
        return {};
    return programNameOf(processId);
}

std::string className(HWND window) {
    WCHAR name[CLASS_NAME_UNITS];
    const int units = GetClassNameW(window, name, CLASS_NAME_UNITS);
    return units > 0 ? utf8Of(name, units < CLASS_NAME_UNITS ? units : CLASS_NAME_UNITS - 1) : "";
}

// Read into a buffer that doubles while the title fills it: the length that GetWindowTextLengthW
// gives for another program's window may come from a message to it.
std::string title(HWND window) {
    std::u16string text;
    for (int units = 256; units <= MOST_TITLE_UNITS; units *= 2) {
        text.assign(static_cast<std::size_t>(units), u'\0');
        const int read = GetWindowTextW(window, reinterpret_cast<WCHAR*>(text.data()), units);
        if (read < units - 1 || units == MOST_TITLE_UNITS) {
            text.resize(read > 0 && read < units ? static_cast<std::size_t>(read) : 0);
            break;
        }
    }
    return utf8FromUtf16(text);
}

} // namespace

std::string programNameFromProcessList(DWORD processId) {
    const LaterCalls& calls = laterCalls();
    if (!calls.createToolhelp32Snapshot || !calls.process32First || !calls.process32Next)
        return {};
    HANDLE snapshot = calls.createToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return {};
    const OwnedHandle list(snapshot);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = calls.process32First(snapshot, &entry); more;
         more = calls.process32Next(snapshot, &entry))
        if (entry.th32ProcessID == processId) {
            entry.szExeFile[sizeof entry.szExeFile - 1] = 0;
            return withoutFolder(utf8FromAnsi(entry.szExeFile));
        }
    return {};
}

WindowDescription describeWindow(HWND window) {
    if (!window || !IsWindow(window))
        return {};
    return {programName(window), className(window), title(window)};
}

namespace {

struct Listing {
    std::vector<TopWindow> windows;
    std::set<DWORD> listed; // the processes that have their window in the list
};

// The desktop's own windows and the tool windows that no taskbar shows are no program a user
// would teach the remote.
bool isShellWindow(HWND window) {
    return window == GetShellWindow() ||
           (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
}

// Front first, a process's first visible, titled window is the one that stands for it: its other
// windows are passed over before anything but their process is asked.
BOOL CALLBACK listWindow(HWND window, LPARAM lParam) {
    auto& listing = *reinterpret_cast<Listing*>(lParam);
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId) || processId == GetCurrentProcessId() ||
        listing.listed.count(processId) || !IsWindowVisible(window) || isShellWindow(window))
        return TRUE;
    std::string text = title(window);
    if (text.empty())
        return TRUE;
    listing.listed.insert(processId);
    WindowDescription description{programNameOf(processId), className(window), std::move(text)};
    HWND owner = GetWindow(window, GW_OWNER);
    listing.windows.push_back({window, std::move(description), describeWindow(owner)});
    return TRUE;
}

} // namespace

std::vector<TopWindow> visibleTopLevelWindows() {
    Listing listing;
    EnumWindows(listWindow, reinterpret_cast<LPARAM>(&listing));
    return std::move(listing.windows);
}
