// InterVideo WinDVR: driven by posted key-downs with complete lParams, its private message 0x038F,
// and one chord; 'X' closes it.
#include "tvapps/tv_app.h"

namespace {

// WinDVR's private command message.
constexpr UINT COMMAND_MESSAGE = 0x038F;

// Its own command.
constexpr UINT TOGGLE_MINIMISED = 1;

// A posted key with the lParam built from its scan code.
constexpr AppCommand scanKey(UINT vk, BYTE scan, bool extended = false) {
    return postKey(vk, keyLParam(scan, extended));
}
constexpr AppCommand command(WPARAM id) {
    return postPrivate(COMMAND_MESSAGE, id);
}

constexpr bool EXTENDED = true;

// Power and the dispatcher's buttons 20 and 21 are not here; 10, 11 and every other code do
// nothing.
constexpr ButtonRow BUTTON_MAP[] = {
    // button  normal                               Japan mode
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
    {12, scanKey('A', 0x1E), scanKey('A', 0x1E)},
    {13, command(23), command(23)},
    {14, command(2), command(2)},
    {15, chord(CHORD_CTRL, 'I'), chord(CHORD_CTRL, 'I')},
    {16, scanKey('M', 0x32), scanKey('M', 0x32)},
    {17, scanKey('Z', 0x2C), scanKey('Z', 0x2C)},
    {19, scanKey('U', 0x16), scanKey('U', 0x16)},
    {22, command(24), command(24)},
    {23, scanKey('L', 0x26), scanKey('L', 0x26)},
    {24, own(TOGGLE_MINIMISED, "minimise or restore"),
     own(TOGGLE_MINIMISED, "minimise or restore")},
    {25, scanKey('K', 0x25), scanKey(VK_F10, 0x44)},
    {26, scanKey(VK_PRIOR, 0x49, EXTENDED), scanKey(VK_PRIOR, 0x49, EXTENDED)},
    {27, postShifted(VK_UP, keyLParam(0x48, EXTENDED)),
     postShifted(VK_UP, keyLParam(0x48, EXTENDED))},
    {28, scanKey(VK_F10, 0x44), scanKey('K', 0x25)},
    {29, scanKey('P', 0x19), scanKey('P', 0x19)},
    {30, scanKey(VK_NEXT, 0x51, EXTENDED), scanKey(VK_NEXT, 0x51, EXTENDED)},
    {31, postShifted(VK_DOWN, keyLParam(0x50, EXTENDED)),
     postShifted(VK_DOWN, keyLParam(0x50, EXTENDED))},
};

HWND toggleMainMinimised(const TvApp& app, UINT) {
    HWND main = app.findWindow();
    if (main)
        toggleMinimised(main);
    return main;
}

} // namespace

extern const TvAppDescription WINDVR_APP;
const TvAppDescription WINDVR_APP = {
    .name = "WinDVR",
    .productName = "InterVideo WinDVR",
    .label = "WinDVR",
    .install = {"Software\\InterVideo\\WinDVR", "PATH", "WINDVR.EXE"},
    // Its commands need the exact title; closing it is more lenient.
    .window = {.title = "InterVideo WinDVR",
               .launch = Match::TITLE_START,
               .commands = Match::TITLE_EXACT,
               .quit = Match::TITLE_START,
               .running = Match::TITLE},
    .quit = scanKey('X', 0x2D),
    .buttons = BUTTON_MAP,
    .own = toggleMainMinimised,
    .defaultNumber = 1,
};
