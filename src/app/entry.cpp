// The entry routine: clear the way, refuse a second copy, create the hidden window, read the
// settings, start polling and run the message loop until a quit request.
#include "app/main_window.h"
#include "app/process_globals.h"
#include "app/resource_ids.h"
#include "app/startup.h"
#include "app/tray_icon.h"
#include "remote/poll_cycle.h"
#include "settings/settings_store.h"

namespace {

int runMessageLoop(HACCEL accelerators) {
    MSG message{};
    BOOL fetched;
    // GetMessageA answers -1 on a failed fetch; ending then beats spinning on the error.
    while ((fetched = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (TranslateAcceleratorA(message.hwnd, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return fetched == 0 ? static_cast<int>(message.wParam) : 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    deleteStartupShortcut();
    closeCompetingUtilities();
    if (anotherInstanceRunning())
        return 0;

    LoadStringA(instance, IDS_TITLE, windowTitle, WINDOW_TEXT_SIZE);
    LoadStringA(instance, IDS_CLASS, windowClassName, WINDOW_TEXT_SIZE);
    registerMainClass(instance);
    if (!initInstance(instance))
        return 0;

    readSettings();
    if (remoteOff) {
        removeTrayIcon(mainWindow);
        RemoteCaptureDevice.close(); // opened as the window was created; nothing will use it
        return 0;
    }
    // The window exists only to own the icon, timers and dialogs; it is never shown.
    ShowWindow(mainWindow, SW_HIDE);
    UpdateWindow(mainWindow);
    if (captureDeviceFound) {
        startPolling();
        prepareAppWatch();
    }
    return runMessageLoop(LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL)));
}
