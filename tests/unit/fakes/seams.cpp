// The narrow seams' fakes. The simulated desktop keeps a window's class and title as bytes: they
// are read as the UTF-8 the real description gives. The ANSI code page is Latin-1 here. The
// simulated desktop models no text control, list view or clipboard: what the monitor shows and
// copies is its text, tested as text.
#include "seams.h"

#include "win32/clipboard.h"
#include "win32/started_program.h"
#include "win32/unicode_text.h"
#include "win32/wide_calls.h"
#include "win32/window_description.h"

#include "sim.h"

#include <map>

namespace {

// One for the test program, as the simulated desktop is one.
struct Fakes {
    std::map<HWND, std::string> programNames;
    DWORD lastStarted = 0;
    DWORD endedUpTo = 0; // processes up to this one have ended
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

WindowDescription describeWindow(HWND window) {
    if (!window || !IsWindow(window))
        return {};
    return {fakes.programNames[window], textOf(GetClassNameA, window),
            textOf(GetWindowTextA, window)};
}

std::string utf8FromAnsi(std::string_view ansi) {
    std::u16string latin1;
    for (const unsigned char c : ansi)
        latin1 += c;
    return utf8FromUtf16(latin1);
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
