// What the program did with one press, as a value: who acted on it and what was sent. Whoever acts
// hands it back up the call; the remote monitor turns it into words. Nothing here is formatted.
#pragma once

#include "keys/key_chord.h"
#include "tvapps/app_command.h"
#include "tvapps/tv_app_table.h"
#include "win32/unicode_text.h"

#include <windows.h>

#include <string_view>

enum class Actor : unsigned char {
    NOBODY,  // nothing acted: a held-back repeat, or a button that nothing takes
    APP,     // the target application (or the first one found running)
    SWITCH,  // Power or button 20 with no target: the default application
    TOGGLE,  // Power (or button 20) on the target: closed it or brought it up
    PROMPT,  // the Shut Down prompt
    MOUSE,   // the mouse emulation
    PROFILE, // the user's profile for the window in front
    TEACH,   // the dialog that teaches the remote a player, open: it takes every press
};

enum class Result : unsigned char {
    NOTHING,          // the button means nothing to whoever got it
    SENT,             // APP: `command` went to the application's window; PROFILE: `chord` typed
    WINDOW_NOT_FOUND, // APP: its window was not found, nothing was sent
    CLOSED,           // SWITCH, TOGGLE: the application was asked to close
    BROUGHT_UP,       // SWITCH, TOGGLE: the application was found or started and brought up
    NOT_INSTALLED,    // SWITCH, TOGGLE: the application is not installed; nothing came up
    OPENED,           // PROMPT: the prompt was shown and closed again (`yes`: it was confirmed)
    ANSWERED,         // PROMPT: this press answered the open prompt (`yes`: shut down)
    NOT_OPENED,       // PROMPT: a TV application runs, so the prompt was not shown
    MOVED,            // MOUSE: the pointer moved by (dx, dy)
    AT_EDGE,          // MOUSE: the move would reach the screen's edge; the pointer stayed
    LEFT_CLICK,       // MOUSE
    RIGHT_CLICK,      // MOUSE
    PRIMARY_DOWN,     // MOUSE: the primary button is held down for dragging
    PRIMARY_UP,       // MOUSE
    TAUGHT,           // TEACH: the row `action` has the button now
    REFUSED,          // TEACH: a button that keeps its meaning; nothing happened
};

struct PressOutcome {
    Actor actor = Actor::NOBODY;
    Result result = Result::NOTHING;
    AppId app = AppId::POWERVCR;  // APP, SWITCH, TOGGLE
    AppCommand command = NOTHING; // SENT
    bool yes = false;             // PROMPT; SWITCH: a "Please re-initialize" message was shown
    LONG dx = 0;                  // MOVED
    LONG dy = 0;
    KeyChord chord = {};          // PROFILE
    char profile[32] = "";        // PROFILE: its name, cut to fit
    const char* action = nullptr; // TEACH, TAUGHT: the row's action
};

inline PressOutcome appOutcome(AppId app, Result result, const AppCommand& command = NOTHING) {
    return {Actor::APP, result, app, command};
}
inline PressOutcome mouseOutcome(Result result, LONG dx = 0, LONG dy = 0) {
    return {Actor::MOUSE, result, AppId::POWERVCR, NOTHING, false, dx, dy};
}
// A profile's key typed: the profile's name is kept as far as it fits, in whole characters.
inline PressOutcome profileOutcome(std::string_view profile, const KeyChord& chord) {
    PressOutcome outcome{Actor::PROFILE, Result::SENT};
    outcome.chord = chord;
    utf8Prefix(profile, sizeof outcome.profile - 1).copy(outcome.profile, sizeof outcome.profile);
    return outcome;
}
