// The narrow seams' fakes. The simulated desktop keeps a window's class and title as bytes: they
// are read as the UTF-8 the real description gives. The ANSI code page is Latin-1 here. The
// simulated desktop models no text control, list view or clipboard: what the monitor shows and
// copies is its text, tested as text.
#include "seams.h"

#include "app/teach_view.h"
#include "win32/clipboard.h"
#include "win32/display_scale.h"
#include "win32/file_replace.h"
#include "win32/started_program.h"
#include "win32/unicode_text.h"
#include "win32/wide_calls.h"
#include "win32/window_description.h"

#include "sim.h"

#include <map>
#include <utility>

namespace {

// One for the test program, as the simulated desktop is one.
struct Fakes {
    std::map<HWND, std::string> programNames;
    DWORD lastStarted = 0;
    DWORD endedUpTo = 0; // processes up to this one have ended
    DWORD replaceFails = 0;
    DWORD writes = 1000; // the last-write times the replaced files get
    int dpi = STANDARD_DPI;
} fakes;

std::string textOf(int (*read)(HWND, LPSTR, int), HWND window) {
    char text[1024] = "";
    return std::string(text, static_cast<std::size_t>(read(window, text, sizeof text)));
}

} // namespace

void fake::reset() {
    fakes = Fakes{};
}
void fake::setProgramName(HWND window, const std::string& name) {
    fakes.programNames[window] = name;
}
void fake::endStartedPrograms() {
    fakes.endedUpTo = fakes.lastStarted;
}
void fake::setReplaceFails(DWORD error) {
    fakes.replaceFails = error;
}
void fake::setSystemDpi(int dpi) {
    fakes.dpi = dpi;
}
int systemDpi() {
    return fakes.dpi;
}
int smallIconSize(HWND) {
    return 16;
}

WindowDescription describeWindow(HWND window) {
    if (!window || !IsWindow(window))
        return {};
    return {fakes.programNames[window], textOf(GetClassNameA, window),
            textOf(GetWindowTextA, window)};
}

// The simulated desktop's windows, front first, all seen; the program's own (and any the test gave
// no program name) have none, as the real listing leaves them out.
std::vector<TopWindow> visibleTopLevelWindows() {
    std::vector<TopWindow> windows;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (WindowDescription window = describeWindow(w); !window.title.empty())
            windows.push_back({w, std::move(window), describeWindow(GetWindow(w, GW_OWNER))});
    return windows;
}

std::string utf8FromAnsi(std::string_view ansi) {
    std::u16string latin1;
    for (const unsigned char c : ansi)
        latin1 += c;
    return utf8FromUtf16(latin1);
}

bool ansiFromUtf8(std::string_view text, std::string& ansi) {
    ansi.clear();
    for (const char16_t c : utf16FromUtf8(text)) {
        if (c > 0xFF)
            return false;
        ansi += static_cast<char>(c);
    }
    return true;
}
std::string systemErrorText(DWORD error) {
    return "error " + std::to_string(error);
}

DWORD replaceFile(const char* path, std::string_view bytes) {
    if (const DWORD error = std::exchange(fakes.replaceFails, 0))
        return error;
    sim::setFile(path, std::string(bytes), ++fakes.writes);
    return 0;
}

// Logged, and its modal loop run, as MessageBoxA's.
int showMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(), type);
}

void setDialogItemText(HWND, int, std::string_view) {}
void insertListColumn(HWND, int, std::string_view) {}
void setListCell(HWND, int, int, std::string_view) {}
int listTextWidth(HWND, std::string_view text) {
    return static_cast<int>(text.size());
}
bool copyToClipboard(HWND, std::string_view) {
    return true;
}

bool StartedProgram::start(const char* commandLine) {
    sim::record(std::string("CreateProcess ") + sim::quoted(commandLine));
    processId = ++fakes.lastStarted;
    return true;
}
bool StartedProgram::running() const {
    return processId > fakes.endedUpTo;
}
bool StartedProgram::bringToFront() const {
    sim::record("BringToFront process=" + std::to_string(processId));
    return running();
}

// The teaching dialog's controls: the dialog itself, its rules and its Save are the program's.
INT_PTR teachViewMessage(TeachDialog&, HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}
void teachViewRefresh(TeachDialog&, HWND) {}
