// The players the program knows, with their own default keys for the ten actions that teaching
// asks for, so that a user of one of them only presses the remote's buttons.
#pragma once

#include <span>
#include <string_view>

constexpr int TAUGHT_ACTIONS = 10;
// "Play/Pause", "Stop", "Next", "Previous", "Volume up", "Volume down", "Mute", "Full screen",
// "Forward" and "Back": Next and Previous are the next and previous item, Forward and Back a short
// jump within the file.
extern const char* const TAUGHT_ACTION_NAMES[TAUGHT_ACTIONS];

struct KnownPlayer {
    const char* name;                 // the name a taught profile's section gets
    const char* exes[2];              // its program's file names (a second build's, or null)
    const char* keys[TAUGHT_ACTIONS]; // as a profile writes them; "" where it has none to give
};

std::span<const KnownPlayer> knownPlayers();
// The player whose program has this file name, in any letter case; null for any other.
const KnownPlayer* knownPlayer(std::string_view exe);
