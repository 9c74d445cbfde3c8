// A fresh simulated desktop with every TV application record, watch flag, timer and the mouse
// emulation back to their state at start-up, and builders for the exact events the program
// should cause.
#pragma once

#include "event_log_match.h"
#include "sim_fixture.h"

#include "app/process_globals.h"
#include "app/shutdown_prompt.h"
#include "app/window_timer.h"
#include "remote/poll_cycle.h"
#include "settings/settings_store.h"
#include "tvapps/honestech_adapter.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/lumentvr_adapter.h"
#include "tvapps/mouse_emulator.h"
#include "tvapps/powervcr_adapter.h"
#include "tvapps/windvd_winrip_adapters.h"
#include "tvapps/windvr_adapter.h"

#include <algorithm>
#include <string>
#include <vector>

using Events = std::vector<std::string>;

inline Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline TvApp* const ALL_RECORDS[] = {&PowerVcrApp, &HonestechApp, &WinDvdApp,
                                     &WinDvrApp,   &WinRipApp,    &LumenTvrApp};

// The records were built during static initialisation, against an empty registry; this builds
// one again, from its own row of the table, against the registry the test has prepared.
inline void rebuild(TvApp& app) {
    app.installed = 0;
    app.active = 0;
    app.window = nullptr;
    app.installPath[0] = 0;
    app.exeName[0] = 0;
    app.lookUpInstallPath(app.texts->subkey, app.texts->valueName, app.texts->exeName);
}

// Writes the application's install path, then rebuilds every record (two share one value).
inline void install(const TvApp& app, const std::string& folder) {
    sim::regSetString(HKEY_LOCAL_MACHINE, app.texts->subkey, app.texts->valueName, folder);
    for (TvApp* record : ALL_RECORDS)
        rebuild(*record);
}

// The four remote targets' main windows as the dispatcher and the adapters recognise them.
inline HWND powerVcrWindow(const char* label = "PowerVCR") {
    return sim::createWindow({label, "PowerVCR II Taurus", "PowerVCR II - TV"});
}
inline HWND honestechWindow(const char* label = "honestech") {
    return sim::createWindow({label, "honestechTV 2.0", "TVR"});
}
inline HWND winDvrWindow(const char* label = "WinDVR") {
    return sim::createWindow({label, "WinDVRFrame", "InterVideo WinDVR"});
}
inline HWND lumenTvrWindow(const char* label = "LumenTVR") {
    return sim::createWindow({label, "LUMEN_TVR", "FormMainWindow"});
}

class TvAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        pollTimer.armed = 0; // the fresh desktop has no timers
        appWatchTimer.armed = 0;
        letGoOfCaptureDevice();
        sim::reset();
        for (TvApp* record : ALL_RECORDS)
            rebuild(*record);
        watchPowerVcr = watchWinDvr = watchHonestech = watchLumenTvr = 0;
        MouseEmulator = MouseEmulation{};
        PointerArea = {0, 0, 1023, 767, 1024 / 160, 1024 / 80};
        shutdownPromptOpen = 0;
        shutdownDialog = nullptr;
        japanMode = 0;
        defaultApp = DEFAULT_LUMENTVR;
        RemoteDecoder = KeyDecoder{};
        mainWindow = sim::createWindow(
            {"main", "QN520 Remote Control", "QN520 Remote Control", nullptr, false, false});
        pollTimer.configure(mainWindow, POLL_PERIOD_MS);
        appWatchTimer.configure(mainWindow, APP_WATCH_PERIOD_MS);
    }
    void TearDown() override {
        pollTimer.armed = 0;
        appWatchTimer.armed = 0;
        letGoOfCaptureDevice();
    }
    // The polls open the program's capture device; the next test begins with it closed.
    static void letGoOfCaptureDevice() {
        if (RemoteCaptureDevice.isOpen())
            RemoteCaptureDevice.close();
    }
};

// ---- what the program should cause, written as the simulated desktop logs it

inline std::string posted(const std::string& window, UINT message, WPARAM wParam, LPARAM lParam) {
    return "PostMessage " + window + " msg=" + sim::hex(message) + " wParam=" + sim::hex(wParam) +
           " lParam=" + sim::hex(static_cast<std::uint64_t>(lParam) & 0xFFFFFFFFu);
}
inline Events keyDown(const std::string& window, UINT vk, LPARAM lParam = 0) {
    return {posted(window, WM_KEYDOWN, vk, lParam)};
}
inline Events character(const std::string& window, UINT ch, LPARAM lParam) {
    return {posted(window, WM_CHAR, ch, lParam)};
}
inline Events digitKey(const std::string& window, int digit) {
    return keyDown(window, '0' + digit, digitKeyLParam[digit]);
}
inline std::string typed(BYTE vk, DWORD flags) {
    return "keybd_event vk=" + sim::hex(vk) + " scan=0x0 flags=" + sim::hex(flags) + " extra=0x0";
}
inline Events toFront(const std::string& window) {
    return {"SetForegroundWindow " + window, "SetActiveWindow " + window};
}
// Brought to the front, then modifiers down, key down, key up, modifiers up in reverse.
inline Events chordTyped(const std::string& window, std::initializer_list<BYTE> modifiers,
                         BYTE vk) {
    Events e = toFront(window);
    for (BYTE m : modifiers)
        e.push_back(typed(m, 1));
    e.push_back(typed(vk, 1));
    e.push_back(typed(vk, 3));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
        e.push_back(typed(*m, 3));
    return e;
}
inline Events ctrl(const std::string& window, BYTE vk) {
    return chordTyped(window, {VK_CONTROL}, vk);
}
inline Events ctrlAlt(const std::string& window, BYTE vk) {
    return chordTyped(window, {VK_MENU, VK_CONTROL}, vk);
}

// ---- button maps

struct MapRow {
    RemoteButton button;
    Events normal;
    Events japan;
};

// Codes that no map of a remote target names (LumenTVR alone names 256 and 512).
inline std::vector<RemoteButton> codesOutsideMaps() {
    std::vector<RemoteButton> codes{BUTTON_SUPPRESSED, BUTTON_256, BUTTON_512, BUTTON_NONE};
    for (RemoteButton b = 32; b < 64; ++b)
        codes.push_back(b);
    return codes;
}

// Runs every row in both modes, and every other code, comparing exactly what was sent.
// `prepare` runs before each press (and its events are not counted).
template <class Handle, class Prepare>
void expectButtonMap(const std::vector<MapRow>& rows, Handle handle, Prepare prepare) {
    auto press = [&](RemoteButton button, int japan, const Events& expected) {
        SCOPED_TRACE("button " + std::to_string(button) + (japan ? " in Japan mode" : ""));
        prepare();
        japanMode = japan;
        sim::clearEvents();
        handle(button);
        EXPECT_TRUE(sameEvents(sim::events(), expected));
    };
    std::vector<RemoteButton> named;
    for (const MapRow& row : rows) {
        press(row.button, 0, row.normal);
        press(row.button, 1, row.japan);
        named.push_back(row.button);
    }
    for (RemoteButton code : codesOutsideMaps())
        if (std::find(named.begin(), named.end(), code) == named.end()) {
            press(code, 0, {});
            press(code, 1, {});
        }
}

// With the application's window gone, no button sends anything anywhere.
template <class Handle>
void expectNothingSentForAnyButton(Handle handle) {
    for (int japan = 0; japan < 2; ++japan)
        for (RemoteButton b = -1; b < 64; ++b) {
            japanMode = japan;
            sim::clearEvents();
            handle(b);
            EXPECT_TRUE(sameEvents(sim::events(), {})) << "button " << b;
        }
}
