// A fresh simulated desktop and a fresh application shell for every test: the TV application
// records uninstalled and inactive, the settings and dialog state at their start values, both
// timers disarmed, and a main window of the program's class.
#pragma once

#include "sim_fixture.h"

#include "app/process_globals.h"
#include "app/setting_dialog.h"
#include "app/window_timer.h"
#include "settings/settings_store.h"
#include "tvapps/honestech_adapter.h"
#include "tvapps/lumentvr_adapter.h"
#include "tvapps/mouse_emulator.h"
#include "tvapps/powervcr_adapter.h"
#include "tvapps/tv_app.h"
#include "tvapps/windvd_winrip_adapters.h"
#include "tvapps/windvr_adapter.h"

#include <vector>

enum class App { PowerVcr, Honestech, WinDvd, WinDvr, WinRip, LumenTvr };

inline TvApp& tvApp(App app) {
    switch (app) {
    case App::PowerVcr:
        return PowerVcrApp;
    case App::Honestech:
        return HonestechApp;
    case App::WinDvd:
        return WinDvdApp;
    case App::WinDvr:
        return WinDvrApp;
    case App::WinRip:
        return WinRipApp;
    case App::LumenTvr:
    default:
        return LumenTvrApp;
    }
}

class ShellTest : public SimTest {
protected:
    void SetUp() override {
        resetShell();
        SimTest::SetUp();
        mainWindow = sim::createWindow(
            {"main", "QN520 Remote Control", "QN520 Remote Control", nullptr, false, false});
    }
    void TearDown() override { resetShell(); }

    static void install(const std::vector<App>& apps) {
        for (App app : apps)
            tvApp(app).installed = 1;
    }

private:
    static void resetShell() {
        for (App app : {App::PowerVcr, App::Honestech, App::WinDvd, App::WinDvr, App::WinRip,
                        App::LumenTvr}) {
            tvApp(app).installed = 0;
            tvApp(app).active = 0;
        }
        pollTimer.stop();
        pollTimer.configure(nullptr, 0);
        appWatchTimer.stop();
        appWatchTimer.configure(nullptr, 0);
        defaultApp = DEFAULT_LUMENTVR;
        remoteOff = 0;
        japanMode = 0;
        lastSettingSelection = -1;
        selectedAppText[0] = 0;
        captureDeviceFound = 1;
        mainWindow = nullptr;
        PointerArea.left = PointerArea.top = PointerArea.right = PointerArea.bottom = 0;
        PointerArea.mediumStep = PointerArea.largeStep = 0;
    }
};
