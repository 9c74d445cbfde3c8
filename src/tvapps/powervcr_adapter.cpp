#include "tvapps/powervcr_adapter.h"

#include "settings/settings_store.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/window_search.h"

namespace {

constexpr const char* MAIN_WINDOW_CLASS = "PowerVCR II Taurus";
constexpr const char* VIDEO_WINDOW_TITLE = "VideoWindow2";
constexpr const char* CYBERLINK_KEY = "SOFTWARE\\CyberLink";
constexpr const char* DISABLE_CAP_DLG_VALUE = "DisableCapDlg";

// The adapter's own commands.
constexpr UINT RECORD = 1;
constexpr UINT TOGGLE_MINIMISED = 2;

// Button 18 and buttons 20 and 21 are the dispatcher's own; buttons 11 and above 31 do nothing.
constexpr ButtonRow BUTTON_MAP[] = {
    // button  normal                             Japan mode
    {0, postDigit(0), chord(CHORD_CTRL_ALT, VK_F10)},
    {1, postDigit(1), postDigit(1)},
    {2, postDigit(2), postDigit(2)},
    {3, postDigit(3), postDigit(3)},
    {4, postDigit(4), postDigit(4)},
    {5, postDigit(5), postDigit(5)},
    {6, postDigit(6), postDigit(6)},
    {7, postDigit(7), postDigit(7)},
    {8, postDigit(8), postDigit(8)},
    {9, postDigit(9), postDigit(9)},
    {10, postKey(VK_MULTIPLY), chord(CHORD_CTRL_ALT, VK_F11)},
    {11, NOTHING, NOTHING},
    {12, chord(CHORD_CTRL, 'U'), chord(CHORD_CTRL, 'U')},
    {13, own(RECORD), own(RECORD)},
    {14, postKey('S'), postKey('S')},
    // Scan-code field 0x58, not the T key's own 0x14: what PowerVCR II expects.
    {15, postKey('T', 0x00580001), postKey('T', 0x00580001)},
    {16, postKey('Q'), postKey('Q')},
    {17, postKey('Z'), postKey('Z')},
    {18, NOTHING, NOTHING},
    {19, chord(CHORD_CTRL, 'M'), chord(CHORD_CTRL, 'M')},
    {20, NOTHING, NOTHING},
    {21, NOTHING, NOTHING},
    {22, postCharacter('\r', 0x001C0001), postCharacter('\r', 0x001C0001)},
    {23, chord(CHORD_CTRL, 'R'), chord(CHORD_CTRL_ALT, VK_F12)},
    {24, own(TOGGLE_MINIMISED), own(TOGGLE_MINIMISED)},
    {25, chord(CHORD_CTRL, 'S'), postKey(VK_SPACE)},
    {26, postKey('N'), postKey('N')},
    {27, postKey(VK_ADD), postKey(VK_ADD)},
    {28, postKey(VK_SPACE), chord(CHORD_CTRL, 'S')},
    {29, postKey('C'), postKey('C')},
    {30, postKey('P'), postKey('P')},
    {31, postKey(VK_SUBTRACT), postKey(VK_SUBTRACT)},
};

void toggleMinimisedState(HWND window) {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_MINIMIZE);
}

} // namespace

HWND PowerVcrAdapter::findWindow() {
    return FindWindowA(MAIN_WINDOW_CLASS, nullptr);
}

HWND PowerVcrAdapter::quit() {
    HWND found = sendKeyChord(findWindow(), CHORD_CTRL, 'X');
    if (found)
        active = 0;
    return found;
}

int PowerVcrAdapter::togglePower() {
    return togglePowerOf(*this, watchPowerVcr);
}

HWND PowerVcrAdapter::findVideoWindow() {
    return findTopLevelWithChildTitled(VIDEO_WINDOW_TITLE);
}

void PowerVcrAdapter::setDisableCapDlg() {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, CYBERLINK_KEY, &key) != ERROR_SUCCESS)
        return; // never created here
    const DWORD one = 1;
    RegSetValueExA(key, DISABLE_CAP_DLG_VALUE, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                   sizeof one);
    RegCloseKey(key);
}

void PowerVcrAdapter::toggleMinimised() {
    HWND video = findVideoWindow();
    window = findWindow();
    if (window)
        toggleMinimisedState(window);
    // When the video window is the main window itself, a second toggle would undo the first.
    if (video && video != window)
        toggleMinimisedState(video);
}

int PowerVcrAdapter::record() {
    HWND target = findWindow();
    if (target)
        setDisableCapDlg();
    return postKeyDown(target, 'R', 0);
}

int PowerVcrAdapter::handleButton(RemoteButton button) {
    const AppCommand command = commandFor(BUTTON_MAP, button, japanMode != 0);
    switch (command.shape) {
    case CommandShape::NOTHING:
        return 0;
    case CommandShape::OWN:
        if (command.code == RECORD)
            return record();
        toggleMinimised();
        return 1;
    default:
        return carryOut(findWindow(), command);
    }
}
