// honestech TV: every command is a posted key-down, so it never needs the keyboard focus; 'O'
// closes it.
#include "tvapps/tv_app_description.h"

namespace {

// Power and the dispatcher's buttons 20 and 21 are not here; buttons 11 and above 31 do nothing.
constexpr ButtonRow BUTTON_MAP[] = {
    // button  normal           Japan mode
    {0, postDigit(0), postDigit(0)},
    {1, postDigit(1), postDigit(1)},
    {2, postDigit(2), postDigit(2)},
    {3, postDigit(3), postDigit(3)},
    {4, postDigit(4), postDigit(4)},
    {5, postDigit(5), postDigit(5)},
    {6, postDigit(6), postDigit(6)},
    {7, postDigit(7), postDigit(7)},
    {8, postDigit(8), postDigit(8)},
    {9, postDigit(9), postDigit(9)},
    {10, postKey(VK_MULTIPLY), postKey(VK_MULTIPLY)},
    {12, postKey('N'), postKey('N')},
    {13, postKey('R'), postKey('R')},
    {14, postKey('S'), postKey('S')},
    {15, postKey('I'), postKey('I')},
    {16, postKey('U'), postKey('U')},
    {17, postKey('W'), postKey('W')},
    {19, postKey('M'), postKey('M')},
    {22, postKey(VK_RETURN), postKey(VK_RETURN)},
    {23, postKey('L'), postKey('L')},
    {24, postKey('Z'), postKey('Z')},
    {25, postKey('F'), postKey(VK_SPACE)},
    {26, postKey(VK_UP), postKey(VK_UP)},
    {27, postKey(VK_RIGHT), postKey(VK_RIGHT)},
    {28, postKey(VK_SPACE), postKey('F')},
    {29, postKey('C'), postKey('C')},
    {30, postKey(VK_DOWN), postKey(VK_DOWN)},
    {31, postKey(VK_LEFT), postKey(VK_LEFT)},
};

} // namespace

extern const TvAppDescription HONESTECH_APP;
const TvAppDescription HONESTECH_APP = {
    .name = "HonesTVR",
    .productName = "honestech TV",
    .label = "honestech TV",
    .install = {"Software\\Honestech\\TV Plus\\TVR", "AppPath", "honestechTV.EXE"},
    .window = byClass("honestechTV 2.0", "TVR"),
    .quit = postKey('O'),
    .buttons = BUTTON_MAP,
    .defaultNumber = 4,
};
