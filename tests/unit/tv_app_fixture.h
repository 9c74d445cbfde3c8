// The exact events the program should cause, as the simulated desktop logs them, and the
// windows of the TV applications as the program recognises them.
#pragma once

#include "event_log_match.h"
#include "program_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

using Events = std::vector<std::string>;

inline Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
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
// The digit keys of the main keyboard: repeat count 1 and each key's scan code.
inline Events digitKey(const std::string& window, int digit) {
    constexpr LPARAM DIGIT_LPARAMS[10] = {0x000B0001, 0x00020001, 0x00030001, 0x00040001,
                                          0x00050001, 0x00060001, 0x00070001, 0x00080001,
                                          0x00090001, 0x000A0001};
    return keyDown(window, '0' + digit, DIGIT_LPARAMS[digit]);
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

// Runs every row in both modes, and every other code, comparing exactly what was sent. `handle`
// takes the button and whether Japan mode is on.
// `prepare` runs before each press (and its events are not counted).
template <class Handle, class Prepare>
void expectButtonMap(const std::vector<MapRow>& rows, Handle handle, Prepare prepare) {
    auto press = [&](RemoteButton button, int japan, const Events& expected) {
        SCOPED_TRACE("button " + std::to_string(button) + (japan ? " in Japan mode" : ""));
        prepare();
        sim::clearEvents();
        handle(button, japan != 0);
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
            sim::clearEvents();
            handle(b, japan != 0);
            EXPECT_TRUE(sameEvents(sim::events(), {})) << "button " << b;
        }
}
