#include "tvapps/honestech_adapter.h"

#include "settings/settings_store.h"
#include "tvapps/key_dispatcher.h"

namespace {

constexpr const char* MAIN_WINDOW_CLASS = "honestechTV 2.0";

// Button 18 and buttons 20 and 21 are the dispatcher's own; buttons 11 and above 31 do nothing.
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
    {11, NOTHING, NOTHING},
    {12, postKey('N'), postKey('N')},
    {13, postKey('R'), postKey('R')},
    {14, postKey('S'), postKey('S')},
    {15, postKey('I'), postKey('I')},
    {16, postKey('U'), postKey('U')},
    {17, postKey('W'), postKey('W')},
    {18, NOTHING, NOTHING},
    {19, postKey('M'), postKey('M')},
    {20, NOTHING, NOTHING},
    {21, NOTHING, NOTHING},
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

HWND HonestechAdapter::findWindow() {
    return FindWindowA(MAIN_WINDOW_CLASS, nullptr);
}

BOOL HonestechAdapter::quit() {
    const BOOL posted = postKeyDown(findWindow(), 'O', 0);
    if (window)
        active = 0; // at once, without waiting for the application to close
    return posted;
}

int HonestechAdapter::togglePower() {
    return togglePowerOf(*this, watchHonestech);
}

int HonestechAdapter::handleButton(RemoteButton button) {
    const AppCommand command = commandFor(BUTTON_MAP, button, japanMode != 0);
    return command.shape == CommandShape::NOTHING ? 0 : carryOut(findWindow(), command);
}
