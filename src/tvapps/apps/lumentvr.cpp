// LumenTVR: every command is its private message 0x0BD0 (WM_USER + 2000) posted with a command
// id; command 1 closes it. Buttons 20 and 21 are commands of its own too.
#include "tvapps/tv_app_description.h"

namespace {

constexpr UINT COMMAND_MESSAGE = WM_USER + 2000;

constexpr AppCommand command(WPARAM id) {
    return postPrivate(COMMAND_MESSAGE, id);
}

// Power is not here; other codes do nothing. The ids from 10000 up are one group: 10000 + n.
constexpr ButtonRow BUTTON_MAP[] = {
    // button  normal          Japan mode
    {0, command(10000), command(10010)},
    {1, command(10001), command(10001)},
    {2, command(10002), command(10002)},
    {3, command(10003), command(10003)},
    {4, command(10004), command(10004)},
    {5, command(10005), command(10005)},
    {6, command(10006), command(10006)},
    {7, command(10007), command(10007)},
    {8, command(10008), command(10008)},
    {9, command(10009), command(10009)},
    {10, command(10100), command(10011)},
    {11, command(206), command(206)},
    {12, command(4004), command(4004)},
    {13, command(1001), command(1001)},
    {14, command(1002), command(1002)},
    {15, command(200), command(200)},
    {16, command(403), command(403)},
    {17, command(3), command(3)},
    {19, command(300), command(300)},
    {BUTTON_DEFAULT_APP, command(6000), command(6000)},
    {BUTTON_SHUT_DOWN, command(5001), command(5001)},
    {22, command(3001), command(3001)},
    {23, command(4003), command(10012)},
    {24, command(5), command(5)},
    {25, command(8), command(1003)},
    {26, command(4001), command(4001)},
    {27, command(401), command(401)},
    {28, command(1003), command(8)},
    {29, command(1000), command(1000)},
    {30, command(4002), command(4002)},
    {31, command(402), command(402)},
    {BUTTON_256, command(5002), command(5002)},
    {BUTTON_512, command(5003), command(5003)},
};

} // namespace

extern const TvAppDescription LUMENTVR_APP;
const TvAppDescription LUMENTVR_APP = {
    .name = "LumenTVR",
    .productName = "LumenTVR",
    .label = "LumenTVR",
    // Installed with honestech TV, and started by the same executable.
    .install = {"Software\\Honestech\\TV Plus\\TVR", "AppPath", "honestechTV.EXE"},
    .window = byClass("LUMEN_TVR", "FormMainWindow"),
    .quit = command(1),
    .buttons = BUTTON_MAP,
    .defaultNumber = 3,
};
