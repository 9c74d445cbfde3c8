// A fresh simulated desktop and a fresh program for every test: the program's state built as at
// start-up (against the empty registry: no TV application installed), and a hidden main window of
// the program's class that leads to it, owning both timers, with the pointer area of its screen.
#pragma once

#include "fakes/seams.h"
#include "sim_fixture.h"

#include "app/pointer_area.h"
#include "app/program.h"

#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>

// The tests mark records installed without a registry value (which two records share), and fill
// the install path with garbage to see that a look-up leaves no trace of it.
struct TvAppTestAccess {
    static void markInstalled(TvApp& app, bool installed) { app.installed = installed; }
    static void fillInstallPath(TvApp& app, char filler) {
        std::memset(app.path, filler, sizeof app.path);
    }
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    // Builds everything anew: the desktop, the program, its main window and its timers.
    void start() {
        program.reset(); // its timers go with it, before the desktop is reset
        sim::reset();
        fake::reset();
        program.emplace(nullptr);
        mainWindow = sim::createWindow(
            {"main", "QN520 Remote Control", "QN520 Remote Control", nullptr, false, false});
        shell().windowCreated(mainWindow, true);
        SetWindowLongPtrA(mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&*program));
        program->prepareAppWatch();
        shell().pollTimer.configure(mainWindow, POLL_PERIOD_MS);
        initPointerArea(mouse().area); // as the window's creation does
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
    MouseEmulation& mouse() { return program->mouse; }
    KeyDecoder& decoder() { return program->decoder; }
    AppWatch& watch() { return program->watch; }
    CaptureDevice& device() { return program->device; }
    Shell& shell() { return program->shell; }
    KeyDispatcher& dispatcher() { return program->dispatcher; }
    PressLog& presses() { return program->presses; }
    Profiles& profiles() { return program->profiles; }
    PressOutcome dispatch(RemoteButton button) { return dispatcher().dispatch(button); }
    static void setTarget(TvApp& record, bool target) {
        target ? record.becomeTarget() : record.stopBeingTarget();
    }

    // Writes the application's install path, then has every record look its own up again (two
    // share one value).
    void install(const TvApp& installed, const std::string& folder) {
        const InstallFacts& facts = installed.description().install;
        sim::regSetString(HKEY_LOCAL_MACHINE, facts.subkey, facts.valueName, folder);
        for (TvApp& record : apps()) {
            record.stopBeingTarget();
            record.lookUpInstallPath();
        }
    }

    // Marks the applications installed, or not, without a registry value.
    void markInstalled(std::initializer_list<AppId> installed, bool isInstalled = true) {
        for (AppId id : installed)
            TvAppTestAccess::markInstalled(app(id), isInstalled);
    }

    std::optional<Program> program;
    HWND mainWindow = nullptr;
};
