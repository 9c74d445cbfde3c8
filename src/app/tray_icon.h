// The program's icon in the notification area.
#pragma once

#include <windows.h>

#include <shellapi.h>

constexpr UINT TRAY_ICON_ID = 10;
// Sent to the main window with the mouse message in lParam.
constexpr UINT TRAY_CALLBACK_MESSAGE = 1001;

class TrayIcon {
public:
    TrayIcon() = default;
    // The icon goes with its holder, whichever way the program ends.
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Fills the kept icon record and adds the icon; a null tip gives an empty one. From then on
    // the icon knows the shell's "TaskbarCreated" broadcast.
    void add(HWND window, UINT iconId, HICON icon, const char* tip);
    // Submits the kept record again: NIM_MODIFY on mouse movement.
    void refresh();
    // The shell's broadcast that it (re)started and lost every icon; it comes after a change of
    // the display's scale too.
    bool isShellRestart(UINT message) const { return message != 0 && message == taskbarCreated; }
    // Adds the icon again, with its image loaded anew (sharp at the scale of now).
    void restore(HICON icon);
    // Deletes the icon it added; nothing when it is not shown.
    void remove();

private:
    NOTIFYICONDATAA record = {};
    // Between adding and removing: a shell restart after an ending path brings nothing back.
    bool shown = false;
    UINT taskbarCreated = 0; // registered at the first add; 0 is no message
};
