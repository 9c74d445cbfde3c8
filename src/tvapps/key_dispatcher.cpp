#include "tvapps/key_dispatcher.h"

#include "app/shutdown_prompt.h"
#include "app/window_timer.h"
#include "settings/settings_store.h"
#include "tvapps/honestech_adapter.h"
#include "tvapps/lumentvr_adapter.h"
#include "tvapps/mouse_emulator.h"
#include "tvapps/notice_box.h"
#include "tvapps/powervcr_adapter.h"
#include "tvapps/windvr_adapter.h"

int watchPowerVcr = 0;
int watchWinDvr = 0;
int watchHonestech = 0;
int watchLumenTvr = 0;

namespace {

// One remote target as the dispatcher sees it. The dispatcher finds each by its own search,
// not by the adapter's.
struct RemoteTarget {
    TvApp* app;
    const char* windowClass; // null: searched by whole title
    const char* windowTitle;
    int* watchFlag;
    int (*quit)();
    int (*togglePower)();
    int (*button20)();
    int (*button21)();
    int (*handleButton)(RemoteButton);
};

// The operations of each adapter, as plain functions for the table below.
template <auto& App>
int callQuit() {
    return App.quit() ? 1 : 0;
}
template <auto& App>
int callTogglePower() {
    return App.togglePower();
}
template <auto& App>
int callHandleButton(RemoteButton button) {
    return App.handleButton(button);
}
template <WPARAM ID>
int postLumenTvrCommand() {
    return LumenTvrApp.postCommand(ID);
}
int nothing() {
    return 0;
}

// Precedence order (and TargetIndex order): with several active, the first is the target. The
// app watch follows it too.
// LumenTVR takes buttons 20 and 21 as commands of its own.
const RemoteTarget TARGETS[] = {
    {&PowerVcrApp, "PowerVCR II Taurus", nullptr, &watchPowerVcr, callQuit<PowerVcrApp>,
     callTogglePower<PowerVcrApp>, callTogglePower<PowerVcrApp>, nothing,
     callHandleButton<PowerVcrApp>},
    {&WinDvrApp, nullptr, "InterVideo WinDVR", &watchWinDvr, callQuit<WinDvrApp>,
     callTogglePower<WinDvrApp>, callTogglePower<WinDvrApp>, nothing, callHandleButton<WinDvrApp>},
    {&HonestechApp, "honestechTV 2.0", nullptr, &watchHonestech, callQuit<HonestechApp>,
     callTogglePower<HonestechApp>, callTogglePower<HonestechApp>, nothing,
     callHandleButton<HonestechApp>},
    {&LumenTvrApp, "LUMEN_TVR", nullptr, &watchLumenTvr, callQuit<LumenTvrApp>,
     callTogglePower<LumenTvrApp>, postLumenTvrCommand<LUMENTVR_BUTTON_20>,
     postLumenTvrCommand<LUMENTVR_BUTTON_21>, callHandleButton<LumenTvrApp>},
};

enum TargetIndex { POWERVCR_TARGET, WINDVR_TARGET, HONESTECH_TARGET, LUMENTVR_TARGET };

// With no target, the first of these whose window exists becomes the target.
constexpr TargetIndex RUNNING_SEARCH_ORDER[] = {LUMENTVR_TARGET, POWERVCR_TARGET, WINDVR_TARGET,
                                                HONESTECH_TARGET};

// The default application's number, its target, and the others it quits first, in this order.
struct DefaultAppRow {
    int number;
    TargetIndex target;
    TargetIndex quitFirst[3];
};

constexpr DefaultAppRow DEFAULT_APPS[] = {
    {DEFAULT_WINDVR, WINDVR_TARGET, {POWERVCR_TARGET, HONESTECH_TARGET, LUMENTVR_TARGET}},
    {DEFAULT_POWERVCR, POWERVCR_TARGET, {WINDVR_TARGET, HONESTECH_TARGET, LUMENTVR_TARGET}},
    {DEFAULT_LUMENTVR, LUMENTVR_TARGET, {WINDVR_TARGET, POWERVCR_TARGET, HONESTECH_TARGET}},
    {DEFAULT_HONESTECH, HONESTECH_TARGET, {WINDVR_TARGET, POWERVCR_TARGET, LUMENTVR_TARGET}},
};

constexpr WPARAM KEY_RETURN = 13;
constexpr WPARAM KEY_ESCAPE = 27;

HWND findRunningWindow(const RemoteTarget& target) {
    return FindWindowExA(GetDesktopWindow(), nullptr, target.windowClass, target.windowTitle);
}

const RemoteTarget* currentTarget() {
    for (const RemoteTarget& target : TARGETS)
        if (target.app->active == 1)
            return &target;
    return nullptr;
}

// The prompt is answered from the nested polls that run inside its own modal loop.
void answerShutdownPrompt(RemoteButton button) {
    SetForegroundWindow(shutdownDialog);
    SetActiveWindow(shutdownDialog);
    SendMessageA(shutdownDialog, WM_KEYDOWN, button == BUTTON_POWER ? KEY_RETURN : KEY_ESCAPE, 0);
}

void sendToTarget(const RemoteTarget& target, RemoteButton button) {
    switch (button) {
    case BUTTON_SUPPRESSED:
        break;
    case BUTTON_POWER:
        target.togglePower();
        break;
    case BUTTON_20:
        target.button20();
        break;
    case BUTTON_21:
        target.button21();
        break;
    default:
        target.handleButton(button);
        break;
    }
}

void powerWithNoTarget() {
    const TvApp* app = defaultAppRecord(defaultApp);
    if (app && !app->installed)
        showNotice("Please re-initialize the TV application settings.", MB_SETFOREGROUND);
    // Read again: the Setting dialog may have changed it while the message was open.
    switchToDefaultApp(defaultApp);
}

// The first application running becomes the target; with none, the remote is a mouse.
void sendToFirstRunning(RemoteButton button) {
    for (TargetIndex index : RUNNING_SEARCH_ORDER) {
        const RemoteTarget& target = TARGETS[index];
        if (findRunningWindow(target)) {
            target.app->active = 1;
            target.handleButton(button);
            return;
        }
    }
    MouseEmulator.handleButton(button);
}

} // namespace

int remoteTargetActive() {
    return currentTarget() ? 1 : 0;
}

const TvApp* defaultAppRecord(int defaultAppNumber) {
    for (const DefaultAppRow& row : DEFAULT_APPS)
        if (row.number == defaultAppNumber)
            return TARGETS[row.target].app;
    return nullptr;
}

void dispatchButton(RemoteButton button, HWND owner) {
    if (shutdownPromptOpen) {
        answerShutdownPrompt(button);
        return;
    }
    if (const RemoteTarget* target = currentTarget()) {
        sendToTarget(*target, button);
        return;
    }
    switch (button) {
    case BUTTON_POWER:
        powerWithNoTarget();
        break;
    case BUTTON_20:
        switchToDefaultApp(defaultApp);
        break;
    case BUTTON_21:
        if (noTvAppRunning())
            showShutdownPrompt(owner);
        break;
    default:
        sendToFirstRunning(button);
        break;
    }
}

void switchToDefaultApp(int defaultAppNumber) {
    for (const DefaultAppRow& row : DEFAULT_APPS) {
        if (row.number != defaultAppNumber)
            continue;
        for (TargetIndex other : row.quitFirst)
            TARGETS[other].quit();
        TARGETS[row.target].togglePower();
        return;
    }
}

int noTvAppRunning() {
    for (const RemoteTarget& target : TARGETS)
        if (findRunningWindow(target))
            return 0;
    return 1;
}

void CALLBACK appWatchTick(HWND, UINT, UINT_PTR, DWORD) {
    // One application per tick: the first watched one.
    for (const RemoteTarget& target : TARGETS) {
        if (!*target.watchFlag)
            continue;
        if (!findRunningWindow(target)) {
            target.app->active = 0;
            appWatchTimer.stop();
            *target.watchFlag = 0;
        }
        return;
    }
    // Nothing to watch: the thread, and with it the poll, stands still for a while.
    Sleep(2000);
    appWatchTimer.stop();
}
