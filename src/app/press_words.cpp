#include "app/press_words.h"

#include "keys/key_names.h"

#include <cstdio>
#include <cstdlib>

const char* const COLUMN_TITLES[COLUMN_COUNT] = {
    "Time", "Code", "Button", "Repeats acted / held", "What it did", "Program", "Class", "Title",
};

namespace {

const char* label(AppId app) {
    return describe(app).label;
}

// "Ctrl+", "Ctrl+Alt+" or nothing, as a chord's modifiers are pressed.
const char* chordModifiers(UINT modifiers) {
    if ((modifiers & CHORD_CTRL_ALT) == CHORD_CTRL_ALT)
        return "Ctrl+Alt+";
    return modifiers & CHORD_CTRL ? "Ctrl+" : (modifiers & CHORD_ALT ? "Alt+" : "");
}

void describeSent(AppId app, const AppCommand& command, char (&words)[WORDS_SIZE]) {
    char key[16];
    keyName(command.code, key);
    switch (command.shape) {
    case CommandShape::POST_KEY:
        std::snprintf(words, sizeof words, "%s: key %s", label(app), key);
        break;
    case CommandShape::POST_CHAR:
        std::snprintf(words, sizeof words, "%s: character 0x%02X", label(app), command.code);
        break;
    case CommandShape::CHORD:
        std::snprintf(words, sizeof words, "%s: %s%s typed", label(app),
                      chordModifiers(static_cast<UINT>(command.param)), key);
        break;
    case CommandShape::POST_MESSAGE:
        std::snprintf(words, sizeof words, "%s: command %u", label(app), command.code);
        break;
    case CommandShape::POST_SHIFTED:
        std::snprintf(words, sizeof words, "%s: Shift+%s", label(app), key);
        break;
    case CommandShape::OWN:
        std::snprintf(words, sizeof words, "%s: %s", label(app), command.name ? command.name : "");
        break;
    case CommandShape::NOTHING:
        std::snprintf(words, sizeof words, "%s: no command for this button", label(app));
        break;
    }
}

void describeApp(const PressOutcome& o, char (&words)[WORDS_SIZE]) {
    if (o.result == Result::SENT)
        describeSent(o.app, o.command, words);
    else if (o.result == Result::WINDOW_NOT_FOUND)
        std::snprintf(words, sizeof words, "%s: window not found, nothing sent", label(o.app));
    else
        std::snprintf(words, sizeof words, "%s: no command for this button", label(o.app));
}

// Power, or button 20 with no target, both on the default application.
void describePower(const PressOutcome& o, RemoteButton button, char (&words)[WORDS_SIZE]) {
    const char* who = button == BUTTON_POWER ? "Power" : "Button 20";
    const bool toggle = o.actor == Actor::TOGGLE;
    const char* asked = o.yes ? " (asked to re-initialize the settings)" : "";
    switch (o.result) {
    case Result::CLOSED:
        std::snprintf(words, sizeof words, "%s: closed %s%s", who, label(o.app),
                      toggle ? "" : ", the default application");
        break;
    case Result::BROUGHT_UP:
        std::snprintf(words, sizeof words, "%s: %s %s", who, toggle ? "brought up" : "switched to",
                      label(o.app));
        break;
    case Result::NOT_INSTALLED:
        std::snprintf(words, sizeof words, "%s: %s is not installed%s", who, label(o.app), asked);
        break;
    default:
        std::snprintf(words, sizeof words, "%s: no default application", who);
        break;
    }
}

void describePrompt(const PressOutcome& o, char (&words)[WORDS_SIZE]) {
    const char* answer = o.yes ? "Yes" : "No";
    if (o.result == Result::ANSWERED)
        std::snprintf(words, sizeof words, "Shut Down prompt: answered %s", answer);
    else if (o.result == Result::OPENED)
        std::snprintf(words, sizeof words, "Shut Down prompt: shown, answered %s", answer);
    else
        std::snprintf(words, sizeof words, "Shut Down prompt: not shown, a TV application runs");
}

// Eight directions, as the digit buttons lay them out.
const char* direction(LONG dx, LONG dy) {
    static const char* const NAMES[3][3] = {{"up-left", "up", "up-right"},
                                            {"left", "nowhere", "right"},
                                            {"down-left", "down", "down-right"}};
    auto index = [](LONG d) { return d < 0 ? 0 : (d > 0 ? 2 : 1); };
    return NAMES[index(dy)][index(dx)];
}

void describeMouse(const PressOutcome& o, char (&words)[WORDS_SIZE]) {
    const LONG step = std::labs(o.dx) > std::labs(o.dy) ? std::labs(o.dx) : std::labs(o.dy);
    switch (o.result) {
    case Result::MOVED:
        std::snprintf(words, sizeof words, "Mouse: pointer %s %ld px", direction(o.dx, o.dy),
                      static_cast<long>(step));
        break;
    case Result::AT_EDGE:
        std::snprintf(words, sizeof words, "Mouse: pointer %s refused at the screen's edge",
                      direction(o.dx, o.dy));
        break;
    case Result::LEFT_CLICK:
        std::snprintf(words, sizeof words, "Mouse: left click");
        break;
    case Result::RIGHT_CLICK:
        std::snprintf(words, sizeof words, "Mouse: right click");
        break;
    case Result::PRIMARY_DOWN:
        std::snprintf(words, sizeof words, "Mouse: primary button held down");
        break;
    case Result::PRIMARY_UP:
        std::snprintf(words, sizeof words, "Mouse: primary button released");
        break;
    default:
        std::snprintf(words, sizeof words, "Mouse: nothing for this button");
        break;
    }
}

// "Ctrl+Shift+N typed" into the window of the profile.
void describeProfile(const PressOutcome& o, char (&words)[WORDS_SIZE]) {
    int length = std::snprintf(words, sizeof words, "Profile %s: ", o.profile);
    for (int i = 0; i < o.chord.count && length > 0 && length < WORDS_SIZE; ++i) {
        char key[16];
        keyName(o.chord.keys[i].vk, key);
        length += std::snprintf(words + length, sizeof words - length, "%s%s", key,
                                i + 1 < o.chord.count ? "+" : " typed");
    }
}

void describeTeach(const PressOutcome& o, char (&words)[WORDS_SIZE]) {
    if (o.result == Result::TAUGHT)
        std::snprintf(words, sizeof words, "Teach the remote: %s", o.action ? o.action : "");
    else if (o.result == Result::REFUSED)
        std::snprintf(words, sizeof words, "Teach the remote: the button keeps its meaning");
    else
        std::snprintf(words, sizeof words, "Teach the remote: no row selected");
}

} // namespace

void describeOutcome(const PressOutcome& outcome, RemoteButton button, char (&words)[WORDS_SIZE]) {
    switch (outcome.actor) {
    case Actor::APP:
        describeApp(outcome, words);
        break;
    case Actor::SWITCH:
    case Actor::TOGGLE:
        describePower(outcome, button, words);
        break;
    case Actor::PROMPT:
        describePrompt(outcome, words);
        break;
    case Actor::MOUSE:
        describeMouse(outcome, words);
        break;
    case Actor::PROFILE:
        describeProfile(outcome, words);
        break;
    case Actor::TEACH:
        describeTeach(outcome, words);
        break;
    case Actor::NOBODY:
        std::snprintf(words, sizeof words, "nothing");
        break;
    }
}

std::string columnText(const PressRecord& entry, Column column) {
    const SYSTEMTIME& t = entry.time;
    char text[WORDS_SIZE];
    switch (column) {
    case Column::TIME:
        std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", t.wHour, t.wMinute, t.wSecond,
                      t.wMilliseconds);
        break;
    case Column::CODE:
        std::snprintf(text, sizeof text, "0x%02lX", static_cast<unsigned long>(entry.rawCode));
        break;
    case Column::BUTTON:
        std::snprintf(text, sizeof text, "%ld", static_cast<long>(entry.button));
        break;
    case Column::REPEATS:
        std::snprintf(text, sizeof text, "%u / %u", entry.repeatsActed, entry.repeatsHeldBack);
        break;
    case Column::ACTION:
        if (entry.pending)
            std::snprintf(text, sizeof text, "pending: waiting for a box or a prompt");
        else
            describeOutcome(entry.outcome, entry.button, text);
        break;
    case Column::PROGRAM:
        return entry.window.exe;
    case Column::CLASS:
        return entry.window.className;
    case Column::TITLE:
        return entry.window.title;
    }
    return text;
}
