// The record of one supported TV application: where it is installed, whether it is the remote's
// target, and the shapes in which commands reach it. What is known of the application itself is
// its row of the table.
#pragma once

#include "remote/remote_button.h"
#include "tvapps/app_command.h"
#include "tvapps/tv_app_table.h"

#include <windows.h>

class NoticeBox;

// lParam of the main keyboard's digit keys 0 to 9: repeat count 1 and the key's scan code.
inline constexpr LPARAM DIGIT_KEY_LPARAMS[10] = {
    0x000B0001, 0x00020001, 0x00030001, 0x00040001, 0x00050001,
    0x00060001, 0x00070001, 0x00080001, 0x00090001, 0x000A0001,
};

// The digit command shared by the button maps: the digit's key, posted with its own lParam.
constexpr AppCommand postDigit(int d) {
    return postKey('0' + d, DIGIT_KEY_LPARAMS[d]);
}

// The command line that starts an application never exceeds this size, terminator included.
constexpr int COMMAND_LINE_SIZE = 256;
constexpr int INSTALL_PATH_SIZE = 128;

// Minimises the window, or restores it when it is minimised.
void toggleMinimised(HWND window);

class TvApp {
public:
    // Builds the record: looks up the install path.
    TvApp(const TvAppRow& row, NoticeBox& notices);
    TvApp(const TvApp&) = delete;
    TvApp& operator=(const TvApp&) = delete;

    // 1 when the install path was read: text (REG_SZ, or REG_EXPAND_SZ expanded) that fits with
    // its terminator and names an absolute folder. Sets installed (and clears active) accordingly;
    // any other value counts as no value at all.
    int lookUpInstallPath();
    // The first top-level window, hidden ones included, whose title begins with the row's title.
    HWND findWindowByTitle() const;
    // The window the application's commands go to.
    HWND findWindow() const;
    // The application's window if it exists; otherwise starts the executable.
    HWND launch();
    // Finds or starts the application and brings a window at hand to the front.
    HWND bringUp();
    // Asks the application to close when its window is found; it stops being the target then,
    // whatever became of the request.
    int quit();
    // The button's command in the application's map, carried out; 0 for a button it does not map.
    int handleButton(RemoteButton button, bool japanMode);
    // Whether the application's map has a command of its own for the button.
    bool mapsButton(RemoteButton button) const;

    // The command shapes. Each takes the window the application's own search found, keeps it in
    // window, and does nothing when it is null.
    BOOL postKeyDown(HWND target, UINT vk, LPARAM lParam);
    BOOL postChar(HWND target, UINT ch, LPARAM lParam);
    BOOL postMessage(HWND target, UINT message, WPARAM wParam);
    HWND sendKeyChord(HWND target, UINT modifiers, UINT vk);
    // Carries out any shape but OWN, which the adapter handles itself.
    int carryOut(HWND target, const AppCommand& command);

    const TvAppRow& row;
    int installed = 0;
    int active = 0;
    char installPath[INSTALL_PATH_SIZE] = {};
    // The window the last command found (null when it found none).
    HWND window = nullptr;

private:
    int buildCommandLine(char (&line)[COMMAND_LINE_SIZE]) const;
    void reportStartFailure() const;

    NoticeBox& notices;
};
