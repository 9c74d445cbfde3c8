#include "app/program.h"

Program::Program(HINSTANCE instance)
    : apps(notices), shell(instance, apps, settings),
      dispatcher(apps, settings, remote, notices, shell) {}

void Program::startPolling() {
    shell.pollTimer.configure(shell.mainWindow, POLL_PERIOD_MS);
    shell.pollTimer.start();
    updateJapanMode(settings);
}

void Program::prepareAppWatch() {
    shell.appWatchTimer.configure(shell.mainWindow, APP_WATCH_PERIOD_MS);
    shell.appWatchTimer.stop();
}

Program* programOf(HWND window) {
    return reinterpret_cast<Program*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
