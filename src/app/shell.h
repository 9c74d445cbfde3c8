// The application shell's state: the hidden main window, the tray icon and its menu, the dialogs
// and the prompt, and the poll timer. It gives the key dispatcher what it needs of it.
#pragma once

#include "app/about_dialog.h"
#include "app/remote_monitor.h"
#include "app/setting_dialog.h"
#include "app/shutdown_prompt.h"
#include "app/teach_dialog.h"
#include "app/tray_icon.h"
#include "tvapps/shell_port.h"
#include "win32/owned.h"
#include "win32/window_timer.h"

#include <utility>

constexpr UINT_PTR POLL_TIMER_ID = 1;
constexpr UINT POLL_PERIOD_MS = 65;

// The timers' routines: each finds the program through the owner window.
void CALLBACK pollTimerTick(HWND owner, UINT, UINT_PTR, DWORD);
void CALLBACK appWatchTimerTick(HWND owner, UINT, UINT_PTR, DWORD);

class Shell : public ShellPort {
public:
    Shell(HINSTANCE instance, const TvApps& apps, Settings& settings, PressLog& presses,
          const CaptureDevice& device, Profiles& profiles)
        : setting(apps, settings), monitor(presses, device, profiles),
          teach(profiles, presses, settings), module(instance) {}

    bool shutdownPromptOpen() const override { return prompt.waiting(); }
    void answerShutdownPrompt(bool shutDown) override { prompt.answer(shutDown); }
    bool showShutdownPrompt() override {
        const INT_PTR answer = prompt.ask(module, window);
        return answer == VK_RETURN || answer == IDOK;
    }

    // The module instance, for the resources and the dialogs.
    HINSTANCE instance() const { return module; }
    // The hidden main window, from its creation until its last message; null before and after.
    HWND mainWindow() const { return window; }
    // The window was created; `deviceFound`: the capture device could be opened then.
    void windowCreated(HWND created, bool deviceFound) {
        window = created;
        captureDeviceFound = deviceFound;
    }
    void windowGone() { window = nullptr; }
    // False when the capture device could not be opened as the main window was created: nothing
    // is polled, and the first click on the icon reports it and ends the program.
    bool deviceFound() const { return captureDeviceFound; }
    // The missing-device message stays one: true the first time it is asked for, then never.
    bool firstMissingDeviceReport() { return !std::exchange(missingDeviceReported, true); }

    TrayIcon tray;
    // The menu of the last click, destroyed when the next click builds a new one.
    OwnedMenu trayMenu;
    AboutDialog about;
    SettingDialog setting;
    ShutdownPrompt prompt;
    RemoteMonitor monitor;
    TeachDialog teach;
    WindowTimer pollTimer{POLL_TIMER_ID, pollTimerTick};

private:
    HINSTANCE module;
    HWND window = nullptr;
    bool captureDeviceFound = true;
    bool missingDeviceReported = false;
};
