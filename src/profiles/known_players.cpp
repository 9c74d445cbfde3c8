#include "profiles/known_players.h"

#include "win32/letter_case.h"

const char* const TAUGHT_ACTION_NAMES[TAUGHT_ACTIONS] = {
    "Play/Pause",  "Stop", "Next",        "Previous", "Volume up",
    "Volume down", "Mute", "Full screen", "Forward",  "Back",
};

namespace {

// Each player's defaults as its own sources give them. A default on a key whose place depends on
// the keyboard layout (\, [, =, /, <, a digit read as a character) is left out: typed as a key,
// it would be another character on some keyboards. Where a player gives none, the cell stays
// empty and the user sets a key in the dialog.
// clang-format off
constexpr KnownPlayer PLAYERS[] = {
    // videolan/vlc, src/libvlc-module.c, the defaults of the Windows build (KEY_PLAY_PAUSE "Space",
    // KEY_STOP "s", KEY_NEXT "n", KEY_PREV "p", KEY_VOL_UP "Ctrl+Up", KEY_VOL_DOWN "Ctrl+Down",
    // KEY_VOL_MUTE "m", KEY_TOGGLE_FULLSCREEN "f", KEY_JUMP_PSHORT "Alt+Right", KEY_JUMP_MSHORT
    // "Alt+Left").
    {"VLC media player", {"vlc.exe", nullptr},
     {"Space", "S", "N", "P", "Ctrl+Up", "Ctrl+Down", "M", "F", "Alt+Right", "Alt+Left"}},
    // clsid2/mpc-hc, src/mpc-hc/AppSettings.cpp, default_wmcmds: ID_PLAY_PLAYPAUSE VK_SPACE,
    // ID_PLAY_STOP VK_OEM_PERIOD, ID_NAVIGATE_SKIPFORWARDFILE / SKIPBACKFILE Ctrl+VK_NEXT /
    // Ctrl+VK_PRIOR (the next and previous file; without Ctrl, chapters come first),
    // ID_VOLUME_UP VK_UP, ID_VOLUME_DOWN VK_DOWN, ID_VOLUME_MUTE Ctrl+M, ID_VIEW_FULLSCREEN
    // Alt+VK_RETURN, ID_PLAY_SEEKFORWARDMED VK_RIGHT, ID_PLAY_SEEKBACKWARDMED VK_LEFT.
    {"MPC-HC", {"mpc-hc.exe", "mpc-hc64.exe"},
     {"Space", "Period", "Ctrl+PageDown", "Ctrl+PageUp", "Up", "Down", "Ctrl+M", "Alt+Enter",
      "Right", "Left"}},
    // Aleksoid1978/MPC-BE, src/apps/mplayerc/AppSettings.cpp, CreateCommands: the same as MPC-HC
    // but ID_VIEW_FULLSCREEN Ctrl+VK_RETURN.
    {"MPC-BE", {"mpc-be.exe", "mpc-be64.exe"},
     {"Space", "Period", "Ctrl+PageDown", "Ctrl+PageUp", "Up", "Down", "Ctrl+M", "Ctrl+Enter",
      "Right", "Left"}},
    // mpv-player/mpv, etc/input.conf, the built-in bindings: SPACE cycle pause, ENTER
    // playlist-next, PREV playlist-prev (its ordinary key, <, depends on the layout), m cycle mute,
    // f cycle fullscreen, RIGHT seek 5, LEFT seek -5. Stop is not bound by default (q quits); the
    // volume's keys are 0 and 9 read as characters, and * and /.
    {"mpv", {"mpv.exe", nullptr},
     {"Space", "", "Enter", "PrevTrack", "", "", "M", "F", "Right", "Left"}},
    // PotPlayer's own documentation of its default keys could not be read here: no key is
    // given, the user sets them in the dialog.
    {"PotPlayer", {"PotPlayerMini.exe", "PotPlayerMini64.exe"},
     {"", "", "", "", "", "", "", "", "", ""}},
    // xbmc/xbmc, system/keymaps/keyboard.xml: <space>Pause</space>, <x>Stop</x>,
    // <period>SkipNext</period>, <comma>SkipPrevious</comma> (global), <numpadplus>VolumeUp,
    // <numpadminus>VolumeDown, <f8>Mute, <tab>FullScreen (between the menus and the video),
    // <right>StepForward and <left>StepBack (full-screen video).
    {"Kodi", {"kodi.exe", nullptr},
     {"Space", "X", "Period", "Comma", "NumPlus", "NumMinus", "F8", "Tab", "Right", "Left"}},
    // Microsoft's page of the player's keyboard shortcuts could not be read here: no key is
    // given, the user sets them in the dialog.
    {"Windows Media Player", {"wmplayer.exe", nullptr},
     {"", "", "", "", "", "", "", "", "", ""}},
};
// clang-format on

} // namespace

std::span<const KnownPlayer> knownPlayers() {
    return PLAYERS;
}

const KnownPlayer* knownPlayer(std::string_view exe) {
    for (const KnownPlayer& player : PLAYERS)
        for (const char* name : player.exes)
            if (name && sameText(name, exe))
                return &player;
    return nullptr;
}
