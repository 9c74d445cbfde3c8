#include "tvapps/key_dispatcher.h"

#include "settings/program_text.h"

KeyDispatcher::KeyDispatcher(TvApps& apps, const Settings& settings, MouseEmulation& mouse,
                             Profiles& profiles, AppWatch& watch, MessageBoxGuard& boxes,
                             ShellPort& shell)
    : apps(apps), settings(settings), mouse(mouse), profiles(profiles), watch(watch), boxes(boxes),
      shell(shell) {}

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
PressOutcome KeyDispatcher::sendToTarget(TvApp& target, RemoteButton button) {
    const bool japanMode = settings.japanMode;
    switch (button) {
    case BUTTON_SUPPRESSED:
        return {};
    case BUTTON_POWER:
        return togglePower(target.id());
    case BUTTON_DEFAULT_APP:
        if (target.mapsButton(button))
            return target.handleButton(button, japanMode);
        return togglePower(target.id());
    default:
        return target.handleButton(button, japanMode);
    }
}

PressOutcome KeyDispatcher::powerWithNoTarget() {
    const std::optional<AppId> app = appWithDefaultNumber(settings.defaultApp);
    const bool notInstalled = app && !apps[*app].isInstalled();
    if (notInstalled)
        boxes.show("Please re-initialize the TV application settings.", PROGRAM_CAPTION,
                   MB_OK | MB_SETFOREGROUND);
    // Read again: the Setting dialog may have changed it while the message was open.
    PressOutcome outcome = switchToDefaultApp(settings.defaultApp);
    outcome.yes = notInstalled;
    return outcome;
}

PressOutcome KeyDispatcher::shutDownPrompt() {
    if (!noTvAppRunning())
        return {Actor::PROMPT, Result::NOT_OPENED};
    const bool shutDown = shell.showShutdownPrompt();
    return {Actor::PROMPT, Result::OPENED, AppId::POWERVCR, NOTHING, shutDown};
}

// The first application running becomes the target; with none, the remote is a mouse, but for
// the buttons that the profile of the window in front names.
PressOutcome KeyDispatcher::sendToFirstRunning(RemoteButton button, const PressTiming& timing) {
    for (AppId app : SEARCH_WITHOUT_TARGET) {
        if (!apps[app].findRunningWindow())
            continue;
        apps[app].becomeTarget();
        return apps[app].handleButton(button, settings.japanMode);
    }
    if (const std::optional<ProfileKey> key = profiles.keyFor(button, settings.japanMode)) {
        mouse.letGoOfPrimary(); // a drag ends before the player gets its key
        // A repeat held back is nobody's action.
        return profiles.press(*key, timing) ? profileOutcome(key->profile->name, *key->chord)
                                            : PressOutcome{};
    }
    return mouse.handleButton(button);
}

PressOutcome KeyDispatcher::dispatch(RemoteButton button, const PressTiming& timing) {
    // The prompt is answered from the nested polls that run inside its own modal loop.
    if (shell.shutdownPromptOpen()) {
        const bool shutDown = button == BUTTON_POWER;
        shell.answerShutdownPrompt(shutDown);
        return {Actor::PROMPT, Result::ANSWERED, AppId::POWERVCR, NOTHING, shutDown};
    }
    if (TvApp* target = currentTarget())
        return sendToTarget(*target, button);
    switch (button) {
    case BUTTON_POWER:
        return powerWithNoTarget();
    case BUTTON_DEFAULT_APP:
        return switchToDefaultApp(settings.defaultApp);
    case BUTTON_SHUT_DOWN:
        return shutDownPrompt();
    default:
        return sendToFirstRunning(button, timing);
    }
}

PressOutcome KeyDispatcher::switchToDefaultApp(int defaultAppNumber) {
    const std::optional<AppId> chosen = appWithDefaultNumber(defaultAppNumber);
    if (!chosen)
        return {Actor::SWITCH, Result::NOTHING};
    for (AppId other : CLOSED_BEFORE_SWITCHING)
        if (other != *chosen)
            apps[other].quit();
    PressOutcome outcome = togglePower(*chosen);
    outcome.actor = Actor::SWITCH;
    return outcome;
}

PressOutcome KeyDispatcher::togglePower(AppId id) {
    TvApp& app = apps[id];
    if (app.findWindow()) {
        app.quit();
        return {Actor::TOGGLE, Result::CLOSED, id};
    }
    app.bringUp();
    watch.lookAfter(app);
    return {Actor::TOGGLE, app.isInstalled() ? Result::BROUGHT_UP : Result::NOT_INSTALLED, id};
}
