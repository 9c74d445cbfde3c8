#include "tvapps/windvr_adapter.h"

#include "settings/settings_store.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/window_search.h"

namespace {

constexpr const char* MAIN_WINDOW_TITLE = "InterVideo WinDVR";
constexpr LPARAM CLOSE_KEY_LPARAM = keyLParam(0x2D);

// The adapter's own command.
constexpr UINT TOGGLE_MINIMISED = 1;

// A posted key with the lParam built from its scan code.
constexpr AppCommand scanKey(UINT vk, BYTE scan, bool extended = false) {
    return postKey(vk, keyLParam(scan, extended));
}
constexpr AppCommand command(WPARAM id) {
    return postPrivate(WINDVR_COMMAND_MESSAGE, id);
}

constexpr bool EXTENDED = true;

// Button 18 and buttons 20 and 21 are the dispatcher's own; 10, 11 and every other code do
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
    {10, NOTHING, NOTHING},
    {11, NOTHING, NOTHING},
    {12, scanKey('A', 0x1E), scanKey('A', 0x1E)},
    {13, command(23), command(23)},
    {14, command(2), command(2)},
    {15, chord(CHORD_CTRL, 'I'), chord(CHORD_CTRL, 'I')},
    {16, scanKey('M', 0x32), scanKey('M', 0x32)},
    {17, scanKey('Z', 0x2C), scanKey('Z', 0x2C)},
    {18, NOTHING, NOTHING},
    {19, scanKey('U', 0x16), scanKey('U', 0x16)},
    {20, NOTHING, NOTHING},
    {21, NOTHING, NOTHING},
    {22, command(24), command(24)},
    {23, scanKey('L', 0x26), scanKey('L', 0x26)},
    {24, own(TOGGLE_MINIMISED), own(TOGGLE_MINIMISED)},
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

} // namespace

HWND WinDvrAdapter::findWindow() {
    return findTopLevelTitleEqualTo(MAIN_WINDOW_TITLE);
}

BOOL WinDvrAdapter::quit() {
    // By title prefix, more lenient than findWindow.
    HWND found = findWindowByTitle();
    if (!found)
        return 0;
    const BOOL posted = PostMessageA(found, WM_KEYDOWN, 'X', CLOSE_KEY_LPARAM);
    active = 0; // whatever the post returned
    return posted;
}

int WinDvrAdapter::togglePower() {
    return togglePowerOf(*this, watchWinDvr);
}

void WinDvrAdapter::toggleMinimised() {
    window = findWindow();
    if (window)
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_MINIMIZE);
}

int WinDvrAdapter::handleButton(RemoteButton button) {
    const AppCommand found = commandFor(BUTTON_MAP, button, japanMode != 0);
    switch (found.shape) {
    case CommandShape::NOTHING:
        return 0;
    case CommandShape::OWN:
        toggleMinimised();
        return 1;
    default:
        return carryOut(findWindow(), found);
    }
}
