// Teaching the remote a player: the ten actions in rows, each given a key and the remote button
// pressed for it. Pure rules; the dialog shows them and the poll hands them the presses.
#pragma once

#include "profiles/known_players.h"
#include "remote/remote_button.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TaughtAction {
    std::string key; // as a profile writes it ("Ctrl+Up"); empty: none yet
    std::optional<RemoteButton> button;
};

// What a press did while teaching.
enum class TeachPress {
    TAUGHT,  // the selected row has the button now
    REFUSED, // Power, 20, 21 or a code without a button: nothing at all
    NO_ROW,  // no row is selected: nothing to teach
};

class Teaching {
public:
    // Every row's key from the player's defaults, or none for a player the program does not
    // know; the buttons stay.
    void useKeysOf(const KnownPlayer* player);
    // A press (a held button counts once: repeats are not handed here). The selected row gets the
    // button, which another row loses, and the next row without a button is selected.
    TeachPress press(RemoteButton button, bool japanMode);
    // Moves on without a button.
    void skip();
    // The row to teach next; -1: none.
    void select(int row);
    // Gives the selected row the key; false (nothing changes) with no row selected or for a key
    // that is no chord of the key table.
    bool setKey(std::string_view key);

    int selected() const { return current; }
    const TaughtAction& action(int row) const { return rows[row]; }
    // Some row has both a key and a button.
    bool canSave() const;
    // What happens next, in words, for the line above the list.
    std::string line() const;
    // The rows that have both, in row order: each button with its key.
    std::vector<std::pair<RemoteButton, std::string>> taught() const;

private:
    int nextWithoutButton(int after) const;

    TaughtAction rows[TAUGHT_ACTIONS];
    int current = 0;
    bool refused = false; // the last press was refused
};

// The key as a profile writes it: the checked modifiers in the order Ctrl, Alt, Shift, Win, then
// the key's name.
std::string keyText(std::string_view name, bool ctrl, bool alt, bool shift, bool win);
