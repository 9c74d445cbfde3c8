// The narrow seams' fakes. The simulated desktop keeps a window's class and title as bytes: they
// are read as the UTF-8 the real description gives. The ANSI code page is Latin-1 here.
#include "seams.h"

#include "win32/clipboard.h"
#include "win32/started_program.h"
#include "win32/wide_calls.h"
#include "win32/window_description.h"

#include "sim.h"

#include <map>

namespace {

// The fakes' state: one desktop, as the simulated desktop is one.
struct Fakes {
    std::map<HWND, std::string> programNames;
    std::optional<std::string> clipboard;
    DWORD lastStarted = 0;
    DWORD endedUpTo = 0; // processes up to this one have ended
    bool startFails = false;
} fakes;

std::string textOf(int (*read)(HWND, LPSTR, int), HWND window) {
    char text[1024] = "";
    const int length = read(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

} // namespace

namespace fake {

void reset() {
    fakes = Fakes{};
}
void setProgramName(HWND window, const std::string& name) {
    fakes.programNames[window] = name;
}
std::optional<std::string> clipboard() {
    return fakes.clipboard;
}
void endStartedPrograms() {
    fakes.endedUpTo = fakes.lastStarted;
}
void setStartFails(bool fails) {
    fakes.startFails = fails;
}

} // namespace fake

WindowDescription describeWindow(HWND window) {
    if (!window || !IsWindow(window))
        return {};
    const auto name = fakes.programNames.find(window);
    return {name == fakes.programNames.end() ? "" : name->second, textOf(GetClassNameA, window),
            textOf(GetWindowTextA, window)};
}

std::string utf8FromAnsi(std::string_view ansi) {
    std::string text;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | byte >> 6);
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// The simulated message box: logged, and its modal loop run, as MessageBoxA's.
int showMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(), type);
}

// The simulated desktop models no text control and no list view: what the monitor shows is its
// text, tested as text.
void setDialogItemText(HWND, int, std::string_view) {}
void insertListColumn(HWND, int, std::string_view) {}
void setListCell(HWND, int, int, std::string_view) {}
int listTextWidth(HWND, std::string_view text) {
    return static_cast<int>(text.size());
}

bool copyToClipboard(HWND, std::string_view text) {
    fakes.clipboard = std::string(text);
    return true;
}

bool StartedProgram::start(const char* commandLine) {
    sim::record(std::string("CreateProcess ") + sim::quoted(commandLine) +
                (fakes.startFails ? " failed" : ""));
    processId = fakes.startFails ? 0 : ++fakes.lastStarted;
    return processId != 0;
}

bool StartedProgram::running() const {
    return processId > fakes.endedUpTo;
}

bool StartedProgram::bringToFront() const {
    sim::record("BringToFront process=" + std::to_string(processId));
    return running();
}
