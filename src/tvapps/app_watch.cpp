#include "tvapps/app_watch.h"

void AppWatch::prepare(HWND owner) {
    timer.configure(owner, APP_WATCH_PERIOD_MS);
    timer.stop();
}

void AppWatch::lookAfter(const TvApp& app) {
    timer.start();
    if (app.isTarget())
        watching[indexOf(app.id())] = true;
}

void AppWatch::tick(TvApps& apps) {
    for (AppId id : TARGET_PRECEDENCE) {
        if (!watching[indexOf(id)])
            continue;
        if (!apps[id].findRunningWindow()) {
            apps[id].stopBeingTarget();
            timer.stop();
            watching[indexOf(id)] = false;
        }
        return;
    }
    Sleep(IDLE_WATCH_PAUSE_MS);
    timer.stop();
}
