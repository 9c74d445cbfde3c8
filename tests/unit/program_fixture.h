// A fresh simulated desktop and a fresh program for every test: the program's state built as at
// start-up (against the empty registry: no TV application installed), and a hidden main window of
// the program's class that leads to it, owning both timers, with the pointer area of its screen.
#pragma once

#include "sim_fixture.h"

#include "app/pointer_area.h"
#include "app/program.h"

#include <initializer_list>
#include <optional>
#include <string>

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    // Builds everything anew: the desktop, the program, its main window and its timers.
    void start() {
        program.reset(); // its timers go with it, before the desktop is reset
        sim::reset();
        program.emplace(nullptr);
        mainWindow = sim::createWindow(
            {"main", "QN520 Remote Control", "QN520 Remote Control", nullptr, false, false});
        shell().mainWindow = mainWindow;
        SetWindowLongPtrA(mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&*program));
        program->prepareAppWatch();
        shell().pollTimer.configure(mainWindow, POLL_PERIOD_MS);
        initPointerArea(remote().mouse.area); // as the window's creation does
    }

    TvApps& apps() { return program->apps; }
    TvApp& app(AppId id) { return program->apps[id]; }
    TvApp& powerVcr() { return app(AppId::POWERVCR); }
    TvApp& honestech() { return app(AppId::HONESTECH); }
    TvApp& winDvd() { return app(AppId::WINDVD); }
    TvApp& winDvr() { return app(AppId::WINDVR); }
    TvApp& winRip() { return app(AppId::WINRIP); }
    TvApp& lumenTvr() { return app(AppId::LUMENTVR); }
    Settings& settings() { return program->settings; }
    RemoteState& remote() { return program->remote; }
    Shell& shell() { return program->shell; }
    KeyDispatcher& dispatcher() { return program->dispatcher; }
    void dispatch(RemoteButton button) { dispatcher().dispatch(button); }

    // Writes the application's install path, then has every record look its own up again (two
    // share one value).
    void install(const TvApp& installed, const std::string& folder) {
        sim::regSetString(HKEY_LOCAL_MACHINE, installed.row.subkey, installed.row.valueName,
                          folder);
        for (TvApp& record : apps()) {
            record.active = 0;
            record.window = nullptr;
            record.lookUpInstallPath();
        }
    }

    // Marks the applications installed, without a registry value.
    void markInstalled(std::initializer_list<AppId> installed) {
        for (AppId id : installed)
            app(id).installed = 1;
    }

    std::optional<Program> program;
    HWND mainWindow = nullptr;
};
