// The record of one supported TV application: where it is installed, how its main window is
// recognised, whether it is the remote's target, and the shapes in which commands reach it.
#pragma once

#include "app/window_timer.h"
#include "tvapps/app_command.h"

#include <windows.h>

// The five texts a record is built from, and the name shown when its executable cannot be run.
struct TvAppTexts {
    const char* subkey;    // under HKEY_LOCAL_MACHINE
    const char* valueName; // holds the install folder
    const char* exeName;
    const char* windowClass; // empty: the application is recognised by title
    const char* windowTitle; // leading part of the main window's title
    const char* productName;
};

// The supported applications, in the order their records are built.
enum SupportedApp { POWERVCR, HONESTECH, WINDVD, WINDVR, WINRIP, LUMENTVR, SUPPORTED_APP_COUNT };

inline constexpr TvAppTexts SUPPORTED_APPS[SUPPORTED_APP_COUNT] = {
    {"Software\\Cyberlink\\PowerVCR II", "InstallPath", "PVCR.EXE", "", "PowerVCR II",
     "CyberLink PowerVCR II"},
    {"Software\\Honestech\\TV Plus\\TVR", "AppPath", "honestechTV.EXE", "honestechTV 2.0", "TVR",
     "honestech TV"},
    {"Software\\InterVideo\\WinDVD4", "PATH", "WINDVD.EXE", "", "InterVideo WinDVD 4",
     "InterVideo WinDVD 4"},
    {"Software\\InterVideo\\WinDVR", "PATH", "WINDVR.EXE", "", "InterVideo WinDVR",
     "InterVideo WinDVR"},
    {"Software\\InterVideo\\WinRip", "PATH", "WINRIP.EXE", "", "WinRip", "InterVideo WinRip"},
    // LumenTVR is installed with honestech TV and started by the same executable.
    {"Software\\Honestech\\TV Plus\\TVR", "AppPath", "honestechTV.EXE", "LUMEN_TVR",
     "FormMainWindow", "LumenTVR"},
};

// lParam of the main keyboard's digit keys 0 to 9: repeat count 1 and the key's scan code.
inline constexpr LPARAM digitKeyLParam[10] = {
    0x000B0001, 0x00020001, 0x00030001, 0x00040001, 0x00050001,
    0x00060001, 0x00070001, 0x00080001, 0x00090001, 0x000A0001,
};

// The digit command shared by the button maps: the digit's key, posted with its own lParam.
constexpr AppCommand postDigit(int d) {
    return postKey('0' + d, digitKeyLParam[d]);
}

// The command line that starts an application never exceeds this size, terminator included.
constexpr int COMMAND_LINE_SIZE = 256;

class TvApp {
public:
    // Builds the record: looks up the install path, then takes the window class and title.
    explicit TvApp(const TvAppTexts& texts);
    TvApp(const TvApp&) = delete;
    TvApp& operator=(const TvApp&) = delete;

    // 1 when the install path was read: text (REG_SZ, or REG_EXPAND_SZ expanded) that fits with
    // its terminator and names an absolute folder. Sets installed (and clears active) accordingly;
    // any other value counts as no value at all.
    int lookUpInstallPath(const char* subkey, const char* valueName, const char* exe);
    // The first top-level window, hidden ones included, whose title begins with windowTitle.
    HWND findWindowByTitle();
    // The application's window if it exists; otherwise starts the executable.
    HWND launch();
    // Finds or starts the application and brings a window at hand to the front.
    HWND bringUp();

    // The command shapes. Each takes the window the adapter's own search found, keeps it in
    // window, and does nothing when it is null.
    BOOL postKeyDown(HWND target, UINT vk, LPARAM lParam);
    BOOL postChar(HWND target, UINT ch, LPARAM lParam);
    BOOL postMessage(HWND target, UINT message, WPARAM wParam);
    HWND sendKeyChord(HWND target, UINT modifiers, UINT vk);
    // Carries out any shape but OWN, which the adapter handles itself.
    int carryOut(HWND target, const AppCommand& command);

    int installed = 0;
    int active = 0;
    char installPath[128] = {};
    char exeName[64] = {};
    char windowClass[64] = {};
    char windowTitle[64] = {};
    HWND window = nullptr;
    // The row of the table above that the record was built from.
    const TvAppTexts* texts;

private:
    HWND searchForWindow();
    int buildCommandLine(char (&line)[COMMAND_LINE_SIZE]) const;
    void reportStartFailure() const;
};

// The Power toggle of the four remote targets: closes the application when its window exists;
// otherwise brings it up and has the app watch look after it once it is the target.
template <class Adapter>
int togglePowerOf(Adapter& app, int& watchFlag) {
    if (app.findWindow())
        return app.quit() ? 1 : 0;
    app.bringUp();
    appWatchTimer.start(); // left running undisturbed when it already runs
    if (app.active != 1)
        return 0;
    watchFlag = 1;
    return 1;
}
