#include "tvapps/key_dispatcher.h"

#include "settings/program_text.h"

KeyDispatcher::KeyDispatcher(TvApps& apps, const Settings& settings, MouseEmulation& mouse,
                             AppWatch& watch, MessageBoxGuard& boxes, ShellPort& shell)
    : apps(apps), settings(settings), mouse(mouse), watch(watch), boxes(boxes), shell(shell) {}

const TvApp* KeyDispatcher::currentTarget() const {
    for (AppId app : TARGET_PRECEDENCE)
        if (apps[app].isTarget())
            return &apps[app];
    return nullptr;
}

TvApp* KeyDispatcher::currentTarget() {
    return const_cast<TvApp*>(std::as_const(*this).currentTarget());
}

bool KeyDispatcher::targetActive() const {
    return currentTarget() != nullptr;
}

bool KeyDispatcher::targetTakes(RemoteButton button) const {
    const TvApp* target = currentTarget();
    return target && target->mapsButton(button);
}

bool KeyDispatcher::noTvAppRunning() const {
    for (AppId app : TARGET_PRECEDENCE)
        if (apps[app].findRunningWindow())
            return false;
    return true;
}

// Power toggles the target; button 20 too, unless the target's map has a command of its own for
// it (as for 21, which otherwise does nothing).
void KeyDispatcher::sendToTarget(TvApp& target, RemoteButton button) {
    const bool japanMode = settings.japanMode;
    switch (button) {
    case BUTTON_SUPPRESSED:
        break;
    case BUTTON_POWER:
        togglePower(target.id());
        break;
    case BUTTON_DEFAULT_APP:
        if (target.mapsButton(button))
            target.handleButton(button, japanMode);
        else
            togglePower(target.id());
        break;
    default:
        target.handleButton(button, japanMode);
        break;
    }
}

void KeyDispatcher::powerWithNoTarget() {
    const std::optional<AppId> app = appWithDefaultNumber(settings.defaultApp);
    if (app && !apps[*app].isInstalled())
        boxes.show("Please re-initialize the TV application settings.", PROGRAM_CAPTION,
                   MB_OK | MB_SETFOREGROUND);
    // Read again: the Setting dialog may have changed it while the message was open.
    switchToDefaultApp(settings.defaultApp);
}

// The first application running becomes the target; with none, the remote is a mouse.
void KeyDispatcher::sendToFirstRunning(RemoteButton button) {
    for (AppId app : SEARCH_WITHOUT_TARGET) {
        if (!apps[app].findRunningWindow())
            continue;
        apps[app].becomeTarget();
        apps[app].handleButton(button, settings.japanMode);
        return;
    }
    mouse.handleButton(button);
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
    const std::optional<AppId> chosen = appWithDefaultNumber(defaultAppNumber);
    if (!chosen)
        return;
    for (AppId other : CLOSED_BEFORE_SWITCHING)
        if (other != *chosen)
            apps[other].quit();
    togglePower(*chosen);
}

void KeyDispatcher::togglePower(AppId id) {
    TvApp& app = apps[id];
    if (app.findWindow()) {
        app.quit();
        return;
    }
    app.bringUp();
    watch.lookAfter(app);
}
