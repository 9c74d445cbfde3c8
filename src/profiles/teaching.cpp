#include "profiles/teaching.h"

#include "keys/key_chord.h"
#include "profiles/profile_parser.h"

#include <algorithm>
#include <iterator>

void Teaching::useKeysOf(const KnownPlayer* player) {
    for (int row = 0; row < TAUGHT_ACTIONS; ++row)
        rows[row].key = player ? player->keys[row] : "";
}

int Teaching::nextWithoutButton(int after) const {
    for (int step = 1; step < TAUGHT_ACTIONS; ++step) {
        const int row = (after + step) % TAUGHT_ACTIONS;
        if (!rows[row].button)
            return row;
    }
    return -1;
}

TeachPress Teaching::press(RemoteButton button, bool japanMode) {
    if (!isProfileButton(button, japanMode)) {
        refused = true;
        return TeachPress::REFUSED;
    }
    refused = false;
    if (current < 0)
        return TeachPress::NO_ROW;
    for (TaughtAction& row : rows)
        if (row.button == button)
            row.button.reset();
    rows[current].button = button;
    current = nextWithoutButton(current);
    return TeachPress::TAUGHT;
}

void Teaching::skip() {
    refused = false;
    if (current >= 0)
        current = nextWithoutButton(current);
}

void Teaching::select(int row) {
    refused = false;
    current = row >= 0 && row < TAUGHT_ACTIONS ? row : -1;
}

bool Teaching::setKey(std::string_view key) {
    KeyChord chord;
    std::string problem;
    if (current < 0 || !chordByName(key, chord, problem))
        return false;
    rows[current].key = key;
    return true;
}

bool Teaching::canSave() const {
    for (const TaughtAction& row : rows)
        if (row.button && !row.key.empty())
            return true;
    return false;
}

std::string Teaching::line() const {
    if (refused)
        return "Power, 20 and 21 keep their meaning: press another button";
    if (current >= 0)
        return std::string("Press the remote button for ") + TAUGHT_ACTION_NAMES[current];
    if (std::all_of(std::begin(rows), std::end(rows),
                    [](const TaughtAction& row) { return row.button.has_value(); }))
        return "Every action has a button: Save, or select a row to change it";
    return "Select a row to teach it a button, or Save";
}

std::vector<std::pair<RemoteButton, std::string>> Teaching::taught() const {
    std::vector<std::pair<RemoteButton, std::string>> lines;
    for (const TaughtAction& row : rows)
        if (row.button && !row.key.empty())
            lines.emplace_back(*row.button, row.key);
    return lines;
}

std::string keyText(std::string_view name, bool ctrl, bool alt, bool shift, bool win) {
    std::string text;
    for (const auto& [held, modifier] :
         {std::pair{ctrl, "Ctrl+"}, {alt, "Alt+"}, {shift, "Shift+"}, {win, "Win+"}})
        if (held)
            text += modifier;
    return text.append(name);
}
