#include "tvapps/key_dispatcher.h"

namespace {

HWND findRunningWindow(const TvAppRow& row) {
    return findAppWindow(row, row.dispatcherFinds);
}

} // namespace

KeyDispatcher::KeyDispatcher(TvApps& apps, Settings& settings, RemoteState& remote,
                             NoticeBox& notices, ShellPort& shell)
    : apps(apps), settings(settings), remote(remote), notices(notices), shell(shell),
      targets(appsBy(&TvAppRow::targetRank)), searchOrder(appsBy(&TvAppRow::searchRank)) {}

TvApp* KeyDispatcher::currentTarget() {
    for (AppId app : targets)
        if (apps[app].active == 1)
            return &apps[app];
    return nullptr;
}

bool KeyDispatcher::targetActive() const {
    for (AppId app : targets)
        if (apps[app].active == 1)
            return true;
    return false;
}

bool KeyDispatcher::noTvAppRunning() const {
    for (AppId app : targets)
        if (findRunningWindow(rowOf(app)))
            return false;
    return true;
}

// Power toggles the target; button 20 too, unless the target's map has a command of its own for
// it (as for 21, which otherwise does nothing).
void KeyDispatcher::sendToTarget(TvApp& target, RemoteButton button) {
    switch (button) {
    case BUTTON_SUPPRESSED:
        break;
    case BUTTON_POWER:
        togglePower(target.row.app);
        break;
    case BUTTON_DEFAULT_APP:
        if (target.mapsButton(button))
            target.handleButton(button, settings.japanMode != 0);
        else
            togglePower(target.row.app);
        break;
    default:
        target.handleButton(button, settings.japanMode != 0);
        break;
    }
}

void KeyDispatcher::powerWithNoTarget() {
    const TvApp* app = apps.withDefaultNumber(settings.defaultApp);
    if (app && !app->installed)
        notices.show("Please re-initialize the TV application settings.", MB_SETFOREGROUND);
    // Read again: the Setting dialog may have changed it while the message was open.
    switchToDefaultApp(settings.defaultApp);
}

// The first application running becomes the target; with none, the remote is a mouse.
void KeyDispatcher::sendToFirstRunning(RemoteButton button) {
    for (AppId app : searchOrder) {
        if (!findRunningWindow(rowOf(app)))
            continue;
        apps[app].active = 1;
        apps[app].handleButton(button, settings.japanMode != 0);
        return;
    }
    remote.mouse.handleButton(button);
}

void KeyDispatcher::dispatch(RemoteButton button) {
    // The prompt is answered from the nested polls that run inside its own modal loop.
    if (shell.shutdownPromptOpen()) {
        shell.answerShutdownPrompt(button == BUTTON_POWER);
        return;
    }
    if (TvApp* target = currentTarget()) {
        sendToTarget(*target, button);
        return;
    }
    switch (button) {
    case BUTTON_POWER:
        powerWithNoTarget();
        break;
    case BUTTON_DEFAULT_APP:
        switchToDefaultApp(settings.defaultApp);
        break;
    case BUTTON_SHUT_DOWN:
        if (noTvAppRunning())
            shell.showShutdownPrompt();
        break;
    default:
        sendToFirstRunning(button);
        break;
    }
}

void KeyDispatcher::switchToDefaultApp(int defaultAppNumber) {
    const TvAppRow* row = rowWithDefaultNumber(defaultAppNumber);
    if (!row)
        return;
    for (AppId other : row->quitsOnPower)
        apps[other].quit();
    togglePower(row->app);
}

int KeyDispatcher::togglePower(AppId id) {
    TvApp& app = apps[id];
    if (app.findWindow())
        return app.quit() ? 1 : 0;
    app.bringUp();
    shell.startAppWatch();
    if (app.active != 1)
        return 0;
    remote.watching[indexOf(id)] = true;
    return 1;
}

void KeyDispatcher::watchTick() {
    // One application per tick: the first watched one.
    for (AppId app : targets) {
        if (!remote.watching[indexOf(app)])
            continue;
        if (!findRunningWindow(rowOf(app))) {
            apps[app].active = 0;
            shell.stopAppWatch();
            remote.watching[indexOf(app)] = false;
        }
        return;
    }
    // Nothing to watch: the thread, and with it the poll, stands still for a while.
    Sleep(2000);
    shell.stopAppWatch();
}
