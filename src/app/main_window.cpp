#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/pointer_area.h"
#include "app/process_globals.h"
#include "app/program_text.h"
#include "app/resource_ids.h"
#include "app/setting_dialog.h"
#include "app/single_dialog.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "app/tv_app_links.h"
#include "remote/poll_cycle.h"

char windowTitle[WINDOW_TEXT_SIZE] = "";
char windowClassName[WINDOW_TEXT_SIZE] = "";

namespace {

constexpr const char* MISSING_DEVICE_TEXT =
    "Can't find the QN52X Video Capture Filter.\n\nPlease check your hardware or drivers. ";

// Registered at creation; the shell broadcasts it when it (re)starts and has lost every icon.
UINT taskbarCreatedMessage = 0;
// The menu of the last click, destroyed when the next click builds a new one.
HMENU trayMenu = nullptr;
// The missing-device message stays one: clicks on the icon while it is open do nothing.
bool missingDeviceReported = false;
SingleDialog aboutDialog(IDD_ABOUT, aboutDialogProc);
SingleDialog settingDialog(IDD_SETTING, settingDialogProc);

HICON loadProgramIcon(int size) {
    // Shared: the system frees it with the module, so no handle is left to close.
    return static_cast<HICON>(
        LoadImageA(appInstance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, size, size, LR_SHARED));
}

void destroyTrayMenu() {
    if (trayMenu)
        DestroyMenu(trayMenu);
    trayMenu = nullptr;
}

// Every ending path: the icon goes, then the message loop is asked to end with exit code 0.
void endProgram(HWND window) {
    removeTrayIcon(window);
    destroyTrayMenu();
    PostQuitMessage(0);
}

LRESULT onCreate(HWND window) {
    if (!RemoteCaptureDevice.open())
        captureDeviceFound = 0;
    initPointerArea();
    addTrayIcon(window, TRAY_ICON_ID, loadProgramIcon(GetSystemMetrics(SM_CXSMICON)),
                PROGRAM_CAPTION);
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    return 0;
}

void showTrayMenu(HWND window) {
    POINT at{};
    GetCursorPos(&at);
    destroyTrayMenu();
    trayMenu = CreatePopupMenu();
    if (!trayMenu)
        return;
    const TrayMenuItems menu = trayMenuItems();
    for (int i = 0; i < menu.count; ++i)
        AppendMenuA(trayMenu, menu.items[i].flags, menu.items[i].command, menu.items[i].text);
    // Only a foreground owner's menu closes when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(trayMenu, 0, at.x, at.y, 0, window, nullptr);
    // Without a message after tracking, a tray menu opens and closes at once the next time.
    PostMessageA(window, WM_NULL, 0, 0);
}

void reportMissingDevice(HWND window) {
    if (missingDeviceReported)
        return;
    missingDeviceReported = true;
    MessageBoxA(nullptr, MISSING_DEVICE_TEXT, PROGRAM_CAPTION, MB_OK | MB_SETFOREGROUND);
    endProgram(window);
}

LRESULT onTrayCallback(HWND window, LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        refreshTrayIcon();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (captureDeviceFound)
            showTrayMenu(window);
        else
            reportMissingDevice(window);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT onCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int command = LOWORD(wParam);
    switch (command) {
    case IDM_ABOUT:
        aboutDialog.show(window);
        return 0;
    case IDM_SETTING:
        settingDialog.show(window);
        return 0;
    case IDM_CLOSE:
        endProgram(window);
        return 0;
    case IDM_EXIT:
        endProgram(window);
        RemoteCaptureDevice.close();
        return 0;
    default:
        if (runAppCommand(command))
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Every power event is answered TRUE: a suspend request is granted, the rest need no answer.
LRESULT onPowerBroadcast(WPARAM event) {
    switch (event) {
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMECRITICAL:
        resumeRemoteInput();
        break;
    default:
        break;
    }
    return TRUE;
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DISPLAYCHANGE:
        updatePointerArea(lParam);
        return 0;
    case WM_POWERBROADCAST:
        return onPowerBroadcast(wParam);
    case WM_COMMAND:
        return onCommand(window, message, wParam, lParam);
    case WM_DESTROY: // WM_CLOSE from any program ends here through the default procedure
        endProgram(window);
        return 0;
    case TRAY_CALLBACK_MESSAGE:
        return onTrayCallback(window, lParam);
    default:
        if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {
            restoreTrayIcon();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
