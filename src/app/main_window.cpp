#include "app/main_window.h"

#include "app/app_commands.h"
#include "app/pointer_area.h"
#include "app/program.h"
#include "app/tray_menu.h"
#include "settings/program_text.h"

namespace {

constexpr const char* MISSING_DEVICE_TEXT =
    "Can't find the QN52X Video Capture Filter.\n\nPlease check your hardware or drivers. ";

// Every ending path: the icon goes, then the message loop is asked to end with exit code 0.
void endProgram(Shell& shell) {
    shell.tray.remove();
    shell.trayMenu.reset();
    PostQuitMessage(0);
}

void showTrayMenu(Program& program, HWND window) {
    POINT at{};
    GetCursorPos(&at);
    OwnedMenu& menu = program.shell.trayMenu;
    menu.reset(CreatePopupMenu());
    if (!menu)
        return;
    const TrayMenuItems items = trayMenuItems(program.apps, program.shell.teach.available());
    for (int i = 0; i < items.count; ++i)
        AppendMenuA(menu.get(), items.items[i].flags, items.items[i].command, items.items[i].text);
    // Only a foreground owner's menu closes when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(menu.get(), 0, at.x, at.y, 0, window, nullptr);
    // Without a message after tracking, a tray menu opens and closes at once the next time.
    PostMessageA(window, WM_NULL, 0, 0);
}

void reportMissingDevice(Shell& shell) {
    if (!shell.firstMissingDeviceReport())
        return;
    MessageBoxA(nullptr, MISSING_DEVICE_TEXT, PROGRAM_CAPTION, MB_OK | MB_SETFOREGROUND);
    endProgram(shell);
}

LRESULT onTrayCallback(Program& program, HWND window, LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        program.shell.tray.refresh();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (program.shell.deviceFound())
            showTrayMenu(program, window);
        else
            reportMissingDevice(program.shell);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT onCommand(Program& program, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Shell& shell = program.shell;
    const UINT command = LOWORD(wParam);
    switch (command) {
    case IDM_ABOUT:
        shell.about.show(shell.instance(), window);
        return 0;
    case IDM_SETTING:
        shell.setting.show(shell.instance(), window);
        return 0;
    case IDM_MONITOR:
        shell.monitor.open(shell.instance(), window);
        return 0;
    case IDM_EDIT_PROFILES:
        program.profiles.edit();
        return 0;
    case IDM_TEACH:
        shell.teach.open(shell.instance(), window);
        return 0;
    case IDM_CLOSE:
    case IDM_EXIT: // the capture device is let go with the program, once the loop has ended
        endProgram(shell);
        return 0;
    default:
        if (runAppCommand(program.apps, program.settings, command))
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Every power event is answered TRUE: a suspend request is granted, the rest need no answer.
LRESULT onPowerBroadcast(Program& program, WPARAM event) {
    switch (event) {
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMECRITICAL:
        program.resumeRemoteInput();
        break;
    default:
        break;
    }
    return TRUE;
}

LRESULT handle(Program& program, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        program.onWindowCreated(window);
        return 0;
    case WM_DISPLAYCHANGE:
        updatePointerArea(program.mouse.area, lParam);
        return 0;
    case WM_POWERBROADCAST:
        return onPowerBroadcast(program, wParam);
    case WM_COMMAND:
        return onCommand(program, window, message, wParam, lParam);
    case WM_DESTROY: // WM_CLOSE from any program ends here through the default procedure
        endProgram(program.shell);
        return 0;
    case WM_NCDESTROY: // the last message: the program no longer reaches the window
        program.shell.windowGone();
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return DefWindowProcA(window, message, wParam, lParam);
    case TRAY_CALLBACK_MESSAGE:
        return onTrayCallback(program, window, lParam);
    default:
        if (program.shell.tray.isShellRestart(message)) {
            program.shell.tray.restore(program.trayIconImage());
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    Program* program = programOf(window);
    return program ? handle(*program, window, message, wParam, lParam)
                   : DefWindowProcA(window, message, wParam, lParam);
}
