// The entry routine: build the program's state, clear the way, refuse a second copy, create the
// hidden window, read the settings, start polling and run the message loop until a quit request.
#include "app/main_window.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/startup.h"

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
    // Built before anything else, as the records' registry reads have always come first.
    Program program(instance);
    deleteStartupShortcut();
    closeCompetingUtilities();
    if (anotherInstanceRunning())
        return 0;

    char title[WINDOW_TEXT_SIZE] = "";
    char className[WINDOW_TEXT_SIZE] = "";
    LoadStringA(instance, IDS_TITLE, title, WINDOW_TEXT_SIZE);
    LoadStringA(instance, IDS_CLASS, className, WINDOW_TEXT_SIZE);
    registerMainClass(instance, className);
    if (!createMainWindow(program, className, title))
        return 0;
    Shell& shell = program.shell;

    readSettings(program.settings);
    if (program.settings.remoteOff)
        return 0; // the window, its icon and the capture device go with the program
    // The window exists only to own the icon, timers and dialogs; it is never shown.
    ShowWindow(shell.mainWindow(), SW_HIDE);
    UpdateWindow(shell.mainWindow());
    if (shell.deviceFound()) {
        program.startPolling();
        program.prepareAppWatch();
    }
    return runMessageLoop(LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL)));
}
