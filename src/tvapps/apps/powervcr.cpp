// CyberLink PowerVCR II: driven by posted keys and by key chords typed into it; Ctrl+X closes it.
#include "tvapps/tv_app.h"
#include "win32/owned.h"

namespace {

constexpr const char* VIDEO_WINDOW_TITLE = "VideoWindow2";
constexpr const char* CYBERLINK_KEY = "SOFTWARE\\CyberLink";
constexpr const char* DISABLE_CAP_DLG_VALUE = "DisableCapDlg";

// Its own commands.
constexpr UINT RECORD = 1;
constexpr UINT TOGGLE_MINIMISED = 2;
constexpr const char* RECORD_WORDS = "record (DisableCapDlg, key R)";
constexpr const char* MINIMISE_WORDS = "minimise or restore, with its video window";

// Power and the dispatcher's buttons 20 and 21 are not here; buttons 11 and above 31 do nothing.
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
    {12, chord(CHORD_CTRL, 'U'), chord(CHORD_CTRL, 'U')},
    {13, own(RECORD, RECORD_WORDS), own(RECORD, RECORD_WORDS)},
    {14, postKey('S'), postKey('S')},
    // Scan-code field 0x58, not the T key's own 0x14: what PowerVCR II expects.
    {15, postKey('T', 0x00580001), postKey('T', 0x00580001)},
    {16, postKey('Q'), postKey('Q')},
    {17, postKey('Z'), postKey('Z')},
    {19, chord(CHORD_CTRL, 'M'), chord(CHORD_CTRL, 'M')},
    {22, postCharacter('\r', 0x001C0001), postCharacter('\r', 0x001C0001)},
    {23, chord(CHORD_CTRL, 'R'), chord(CHORD_CTRL_ALT, VK_F12)},
    {24, own(TOGGLE_MINIMISED, MINIMISE_WORDS), own(TOGGLE_MINIMISED, MINIMISE_WORDS)},
    {25, chord(CHORD_CTRL, 'S'), postKey(VK_SPACE)},
    {26, postKey('N'), postKey('N')},
    {27, postKey(VK_ADD), postKey(VK_ADD)},
    {28, postKey(VK_SPACE), chord(CHORD_CTRL, 'S')},
    {29, postKey('C'), postKey('C')},
    {30, postKey('P'), postKey('P')},
    {31, postKey(VK_SUBTRACT), postKey(VK_SUBTRACT)},
};

// Keeps PowerVCR II from asking about the capture device before it records.
void setDisableCapDlg() {
    OwnedKey key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, CYBERLINK_KEY, key.put()) != ERROR_SUCCESS)
        return; // never created here
    const DWORD one = 1;
    RegSetValueExA(key.get(), DISABLE_CAP_DLG_VALUE, 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&one), sizeof one);
}

HWND record(const TvApp& app) {
    HWND main = app.findWindow();
    if (main)
        setDisableCapDlg();
    carryOut(main, postKey('R'));
    return main;
}

// The main window and the video window (a top-level window, of any application, with a direct
// child titled "VideoWindow2"), each by its own state.
HWND toggleBothMinimised(const TvApp& app) {
    HWND video = findTopLevelWithChildTitled(VIDEO_WINDOW_TITLE);
    HWND main = app.findWindow();
    if (main)
        toggleMinimised(main);
    // When the video window is the main window itself, a second toggle would undo the first.
    if (video && video != main)
        toggleMinimised(video);
    return main;
}

HWND ownCommand(const TvApp& app, UINT code) {
    return code == RECORD ? record(app) : toggleBothMinimised(app);
}

} // namespace

extern const TvAppDescription POWERVCR_APP;
const TvAppDescription POWERVCR_APP = {
    .name = "PowerVCR",
    .productName = "CyberLink PowerVCR II",
    .label = "PowerVCR II",
    .install = {"Software\\Cyberlink\\PowerVCR II", "InstallPath", "PVCR.EXE"},
    // Its record's own search, before a start, goes by the title; everything else by the class.
    .window = {.className = "PowerVCR II Taurus",
               .title = "PowerVCR II",
               .launch = Match::TITLE_START,
               .commands = Match::CLASS,
               .quit = Match::CLASS,
               .running = Match::CLASS},
    .quit = chord(CHORD_CTRL, 'X'),
    .buttons = BUTTON_MAP,
    .own = ownCommand,
    .defaultNumber = 2,
};
