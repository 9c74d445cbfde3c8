#include "tvapps/tv_app.h"

#include "settings/program_text.h"
#include "win32/owned.h"

#include <cstring>

namespace {

// Appends to a terminated buffer; false, leaving the buffer unchanged, when it would not fit.
template <std::size_t N>
bool appendText(char (&buffer)[N], const char* text) {
    const std::size_t used = std::strlen(buffer);
    const std::size_t length = std::strlen(text);
    if (used + length >= N)
        return false;
    std::memcpy(buffer + used, text, length + 1);
    return true;
}

// The value's bytes are another program's: they count as text only up to a terminator inside
// the buffer.
bool terminateRegistryText(char (&buffer)[INSTALL_PATH_SIZE], DWORD size) {
    if (size < sizeof buffer) {
        buffer[size] = 0;
        return true;
    }
    return std::memchr(buffer, 0, sizeof buffer) != nullptr;
}

// Expands %NAME% in place; false when the result does not fit whole.
bool expandInPlace(char (&path)[INSTALL_PATH_SIZE]) {
    char expanded[sizeof path] = {};
    const DWORD needed = ExpandEnvironmentStringsA(path, expanded, sizeof expanded);
    if (needed == 0 || needed > sizeof expanded || !std::memchr(expanded, 0, sizeof expanded))
        return false;
    std::memcpy(path, expanded, sizeof path);
    return true;
}

// On a drive ("C:\...") or a network share ("\\server\..."). Anything else would be looked up
// from whatever folder is current, and could start a program nobody installed.
bool isAbsolutePath(const char* path) {
    const bool driveLetter =
        (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
    if (driveLetter && path[1] == ':' && path[2] == '\\')
        return true;
    return path[0] == '\\' && path[1] == '\\' && path[2] != 0 && path[2] != '\\';
}

// Only text names a folder: a number or bytes read as text would be a made-up path.
bool readInstallFolder(HKEY key, const char* valueName, char (&path)[INSTALL_PATH_SIZE]) {
    DWORD type = REG_NONE;
    DWORD size = sizeof path;
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) !=
        ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    // A value that fills the buffer without a terminator is too long: a cut path is no path.
    if (!terminateRegistryText(path, size))
        return false;
    if (type == REG_EXPAND_SZ && !expandInPlace(path))
        return false;
    return isAbsolutePath(path);
}

} // namespace

TvApp::TvApp(AppId id, MessageBoxGuard& boxes) : app(id), boxes(boxes) {
    lookUpInstallPath();
}

void TvApp::lookUpInstallPath() {
    installed = false;
    OwnedKey key;
    const InstallFacts& install = description().install;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, install.subkey, key.put()) != ERROR_SUCCESS)
        return;
    if (!readInstallFolder(key.get(), install.valueName, path)) {
        path[0] = 0;
        return;
    }
    installed = true;
    target = false;
}

HWND TvApp::findWindowByTitle() const {
    return findAppWindow(description().window, Match::TITLE_START);
}

HWND TvApp::findWindow() const {
    return findAppWindow(description().window, description().window.commands);
}

HWND TvApp::findRunningWindow() const {
    return findAppWindow(description().window, description().window.running);
}

// The executable's path in quotes: an unquoted path with blanks would be tried piece by piece
// ("C:\Program.exe" first). A path that cannot be quoted or does not fit whole is never run.
bool TvApp::buildCommandLine(char (&line)[COMMAND_LINE_SIZE]) const {
    const char* exeName = description().install.exeName;
    line[0] = 0;
    if (std::strchr(path, '"') || std::strchr(exeName, '"'))
        return false;
    return appendText(line, "\"") && appendText(line, path) && appendText(line, "\\") &&
           appendText(line, exeName) && appendText(line, "\"");
}

void TvApp::reportStartFailure() const {
    char text[128] = "Can't run ";
    appendText(text, description().productName);
    appendText(text, ".");
    boxes.show(text, PROGRAM_CAPTION, MB_OK);
}

HWND TvApp::launch() {
    const AppWindow& own = description().window;
    if (HWND found = findAppWindow(own, own.launch))
        return found;
    if (!installed)
        return nullptr;
    char line[COMMAND_LINE_SIZE];
    if (buildCommandLine(line) && WinExec(line, SW_SHOW) > 31)
        target = true;
    else
        reportStartFailure();
    // Usually null: the new process has not shown its window yet.
    return findAppWindow(own, own.launch);
}

HWND TvApp::bringUp() {
    if (!installed)
        return nullptr;
    HWND found = findWindowByTitle();
    if (!found)
        found = launch();
    if (!found)
        return nullptr;
    SetForegroundWindow(found);
    SetActiveWindow(found);
    return found;
}

void TvApp::quit() {
    window = findAppWindow(description().window, description().window.quit);
    if (!window)
        return;
    carryOut(window, description().quit);
    target = false; // at once, without waiting for the application to close
}

PressOutcome TvApp::handleButton(RemoteButton button, bool japanMode) {
    const AppCommand command = commandFor(description().buttons, button, japanMode);
    switch (command.shape) {
    case CommandShape::NOTHING:
        return appOutcome(app, Result::NOTHING);
    case CommandShape::OWN:
        window = description().own ? description().own(*this, command.code) : nullptr;
        break;
    default:
        window = findWindow();
        carryOut(window, command);
        break;
    }
    return appOutcome(app, window ? Result::SENT : Result::WINDOW_NOT_FOUND, command);
}

bool TvApp::mapsButton(RemoteButton button) const {
    return commandFor(description().buttons, button, false).shape != CommandShape::NOTHING;
}
