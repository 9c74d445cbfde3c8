#include "tvapps/tv_app.h"

#include "tvapps/adapter.h"
#include "tvapps/notice_box.h"
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

TvApp::TvApp(const TvAppRow& row, NoticeBox& notices) : row(row), notices(notices) {
    lookUpInstallPath();
}

int TvApp::lookUpInstallPath() {
    installed = 0;
    OwnedKey key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, row.subkey, key.put()) != ERROR_SUCCESS)
        return 0;
    if (!readInstallFolder(key.get(), row.valueName, installPath)) {
        installPath[0] = 0;
        return 0;
    }
    installed = 1;
    active = 0;
    return 1;
}

HWND TvApp::findWindowByTitle() const {
    return findAppWindow(row, Match::TITLE_START);
}

HWND TvApp::findWindow() const {
    return findAppWindow(row, row.commandsFind);
}

// The executable's path in quotes: an unquoted path with blanks would be tried piece by piece
// ("C:\Program.exe" first). A path that cannot be quoted or does not fit whole is never run.
int TvApp::buildCommandLine(char (&line)[COMMAND_LINE_SIZE]) const {
    static_assert(INSTALL_PATH_SIZE + MAX_EXE_NAME_LENGTH + 3 <= COMMAND_LINE_SIZE,
                  "every install path and executable fits the command line");
    line[0] = 0;
    if (std::strchr(installPath, '"') || std::strchr(row.exeName, '"'))
        return 0;
    return appendText(line, "\"") && appendText(line, installPath) && appendText(line, "\\") &&
           appendText(line, row.exeName) && appendText(line, "\"");
}

void TvApp::reportStartFailure() const {
    char text[128] = "Can't run ";
    appendText(text, row.productName);
    appendText(text, ".");
    notices.show(text);
}

HWND TvApp::launch() {
    if (HWND found = findAppWindow(row, row.launchFinds))
        return found;
    if (!installed)
        return nullptr;
    char line[COMMAND_LINE_SIZE];
    if (buildCommandLine(line) && WinExec(line, SW_SHOW) > 31)
        active = 1;
    else
        reportStartFailure();
    // Usually null: the new process has not shown its window yet.
    return findAppWindow(row, row.launchFinds);
}

HWND TvApp::bringUp() {
    if (installed != 1)
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

int TvApp::quit() {
    HWND found = findAppWindow(row, row.quitFinds);
    if (!found)
        return 0;
    const int done = carryOut(found, row.adapter->quit);
    active = 0; // at once, without waiting for the application to close
    return done;
}

int TvApp::handleButton(RemoteButton button, bool japanMode) {
    const Adapter& adapter = *row.adapter;
    const AppCommand command = commandFor(adapter.map, adapter.rows, button, japanMode);
    switch (command.shape) {
    case CommandShape::NOTHING:
        return 0;
    case CommandShape::OWN:
        return adapter.own ? adapter.own(*this, command.code) : 0;
    default:
        return carryOut(findWindow(), command);
    }
}

bool TvApp::mapsButton(RemoteButton button) const {
    const Adapter& adapter = *row.adapter;
    for (std::size_t i = 0; i < adapter.rows; ++i)
        if (adapter.map[i].button == button)
            return true;
    return false;
}

BOOL TvApp::postKeyDown(HWND target, UINT vk, LPARAM lParam) {
    window = target;
    return window ? PostMessageA(window, WM_KEYDOWN, vk, lParam) : FALSE;
}

BOOL TvApp::postChar(HWND target, UINT ch, LPARAM lParam) {
    window = target;
    return window ? PostMessageA(window, WM_CHAR, ch, lParam) : FALSE;
}

BOOL TvApp::postMessage(HWND target, UINT message, WPARAM wParam) {
    window = target;
    return window ? PostMessageA(window, message, wParam, 0) : FALSE;
}

namespace {

void typeKey(UINT vk, DWORD flags) {
    keybd_event(static_cast<BYTE>(vk), 0, flags, 0);
}

} // namespace

HWND TvApp::sendKeyChord(HWND target, UINT modifiers, UINT vk) {
    window = target;
    if (!window)
        return nullptr;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    constexpr DWORD DOWN = KEYEVENTF_EXTENDEDKEY;
    constexpr DWORD UP = KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP;
    if (modifiers & CHORD_ALT)
        typeKey(VK_MENU, DOWN);
    if (modifiers & CHORD_CTRL)
        typeKey(VK_CONTROL, DOWN);
    typeKey(vk, DOWN);
    typeKey(vk, UP);
    if (modifiers & CHORD_CTRL)
        typeKey(VK_CONTROL, UP);
    if (modifiers & CHORD_ALT)
        typeKey(VK_MENU, UP);
    return window;
}

int TvApp::carryOut(HWND target, const AppCommand& command) {
    constexpr LPARAM SHIFT_LPARAM = keyLParam(0x2A);
    switch (command.shape) {
    case CommandShape::POST_KEY:
        return postKeyDown(target, command.code, command.param);
    case CommandShape::POST_CHAR:
        return postChar(target, command.code, command.param);
    case CommandShape::CHORD:
        return sendKeyChord(target, static_cast<UINT>(command.param), command.code) != nullptr;
    case CommandShape::POST_MESSAGE:
        return postMessage(target, static_cast<UINT>(command.param), command.code);
    case CommandShape::POST_SHIFTED: {
        // Both keys go to the one window found, with no pause and no Shift key-up.
        const BOOL shift = postKeyDown(target, VK_SHIFT, SHIFT_LPARAM);
        const BOOL key = postKeyDown(target, command.code, command.param);
        return shift && key;
    }
    case CommandShape::NOTHING:
    case CommandShape::OWN:
        break;
    }
    return 0;
}

void toggleMinimised(HWND window) {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_MINIMIZE);
}
