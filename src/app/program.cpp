#include "app/program.h"

#include "app/pointer_area.h"
#include "settings/program_text.h"
#include "win32/display_scale.h"

namespace {

HICON loadProgramIcon(HINSTANCE instance, int size) {
    // Shared: the system frees it with the module, so no handle is left to close.
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

void CALLBACK appWatchTimerTick(HWND owner, UINT, UINT_PTR, DWORD) {
    if (Program* program = programOf(owner))
        program->watchTick();
}

Program::Program(HINSTANCE instance)
    : apps(boxes), watch(appWatchTimerTick), device(boxes), profiles(boxes),
      shell(instance, apps, settings, presses, device, profiles),
      dispatcher(apps, settings, mouse, profiles, watch, boxes, shell) {}

// The window's last messages still find the whole program: WM_DESTROY removes the icon before the
// window ends, and WM_NCDESTROY takes the program out of its user data.
Program::~Program() {
    if (shell.mainWindow())
        DestroyWindow(shell.mainWindow());
}

void Program::onWindowCreated(HWND window) {
    shell.windowCreated(window, device.open());
    initPointerArea(mouse.area);
    shell.tray.add(window, TRAY_ICON_ID, trayIconImage(), PROGRAM_CAPTION);
}

HICON Program::trayIconImage() const {
    return loadProgramIcon(shell.instance(), smallIconSize(shell.mainWindow()));
}

void Program::startPolling() {
    shell.pollTimer.configure(shell.mainWindow(), POLL_PERIOD_MS);
    shell.pollTimer.start();
    updateJapanMode(settings);
}

void Program::prepareAppWatch() {
    watch.prepare(shell.mainWindow());
}

void Program::resumeRemoteInput() {
    device.reopenAtNextRead();
    decoder.forgetKey();
}

Program* programOf(HWND window) {
    return reinterpret_cast<Program*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
