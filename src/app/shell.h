// The application shell's state: the hidden main window, the tray icon and its menu, the dialogs
// and the prompt, and the program's two timers. It gives the key dispatcher what it needs of it.
#pragma once

#include "app/about_dialog.h"
#include "app/setting_dialog.h"
#include "app/shutdown_prompt.h"
#include "app/tray_icon.h"
#include "app/window_timer.h"
#include "tvapps/shell_port.h"
#include "win32/owned.h"

constexpr UINT_PTR POLL_TIMER_ID = 1;
constexpr UINT POLL_PERIOD_MS = 65;
constexpr UINT_PTR APP_WATCH_TIMER_ID = 2;
constexpr UINT APP_WATCH_PERIOD_MS = 1000;

// The timers' routines: each finds the program through the owner window.
void CALLBACK pollTimerTick(HWND owner, UINT, UINT_PTR, DWORD);
void CALLBACK appWatchTimerTick(HWND owner, UINT, UINT_PTR, DWORD);

class Shell : public ShellPort {
public:
    Shell(HINSTANCE instance, const TvApps& apps, Settings& settings)
        : instance(instance), setting(apps, settings) {}

    bool shutdownPromptOpen() const override { return prompt.waiting(); }
    void answerShutdownPrompt(bool shutDown) override { prompt.answer(shutDown); }
    void showShutdownPrompt() override { prompt.ask(instance, mainWindow); }
    void startAppWatch() override { appWatchTimer.start(); }
    void stopAppWatch() override { appWatchTimer.stop(); }

    // The module instance, for the resources and the dialogs.
    HINSTANCE instance;
    HWND mainWindow = nullptr;
    // 0 when the capture device could not be opened as the main window was created: nothing is
    // polled, and the first click on the icon reports it and ends the program.
    int captureDeviceFound = 1;
    // The missing-device message stays one: clicks on the icon while it is open do nothing.
    bool missingDeviceReported = false;
    // Registered at creation; the shell broadcasts it when it (re)starts and has lost every icon.
    UINT taskbarCreatedMessage = 0;
    TrayIcon tray;
    // The menu of the last click, destroyed when the next click builds a new one.
    OwnedMenu trayMenu;
    AboutDialog about;
    SettingDialog setting;
    ShutdownPrompt prompt;
    WindowTimer pollTimer{POLL_TIMER_ID, pollTimerTick};
    WindowTimer appWatchTimer{APP_WATCH_TIMER_ID, appWatchTimerTick};
};
