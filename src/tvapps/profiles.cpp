#include "tvapps/profiles.h"

#include "settings/program_text.h"
#include "tvapps/chord_input.h"
#include "tvapps/profile_match.h"
#include "win32/owned.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* FILE_UNDER_APPDATA = "%APPDATA%\\QN520 Remote Control\\profiles.ini";

// What Edit writes into a file that does not exist yet.
constexpr const char* EXPLANATION =
    "; QN520 Remote Control: remote profiles for other players.\r\n"
    ";\r\n"
    "; With no TV application running, the remote's buttons move the mouse. A profile makes "
    "them\r\n"
    "; type keys into another program instead: while a window that the profile recognises is in\r\n"
    "; front, each button that the profile names types its key; the others still move the "
    "mouse.\r\n"
    ";\r\n"
    "; One [section] per profile, named as you like. It recognises its window by one or more of\r\n"
    ";   Exe   = the program's file name, such as vlc.exe\r\n"
    ";   Class = the window's whole class name\r\n"
    ";   Title = text that the window's title contains (letter case does not matter)\r\n"
    "; and all that are given must hold. The remote monitor (in the icon's menu) shows them for\r\n"
    "; the window in front at each press, and each button's number. Then, for any button:\r\n"
    ";   Button<number> = a key, with modifiers before it: Space, M, F8, Ctrl+Up, Alt+Enter\r\n"
    "; Numbers: 0 to 31, 256 and 512 (0 to 63 in Japan mode); 18 (Power), 20 and 21 keep their\r\n"
    "; meaning. Keys: A-Z, 0-9, F1-F24, Space, Enter, Esc, Tab, Backspace, Up, Down, Left, "
    "Right,\r\n"
    "; PageUp, PageDown, Home, End, Insert, Delete, Plus, Minus, NumPlus, NumMinus, VolumeUp,\r\n"
    "; VolumeDown, Mute, PlayPause, Stop, NextTrack, PrevTrack. Modifiers: Ctrl, Alt, Shift, "
    "Win.\r\n"
    "; A held button types its key again after half a second, then about eight times a second.\r\n"
    "; Lines that begin with ; or # are comments. Save the file as ANSI or UTF-8; a press a\r\n"
    "; second later uses it.\r\n"
    ";\r\n"
    "; An example for VLC media player and its own keys; remove the ; before its lines to use "
    "it.\r\n"
    ";[VLC media player]\r\n"
    ";Exe = vlc.exe\r\n"
    ";Button14 = Space\r\n"
    ";Button26 = Ctrl+Up\r\n"
    ";Button30 = Ctrl+Down\r\n"
    ";Button19 = M\r\n"
    ";Button25 = F\r\n"
    ";Button27 = N\r\n"
    ";Button31 = P\r\n";

bool sameVersion(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// The file's whole text; false when it cannot be read.
bool readWhole(const char* path, DWORD size, std::string& text) {
    HANDLE opened = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const OwnedHandle file(opened);
    text.assign(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), size, &read, nullptr))
        return false;
    text.resize(read);
    return true;
}

void writeExplanation(const char* path) {
    char folder[MAX_PATH];
    lstrcpynA(folder, path, sizeof folder);
    if (char* slash = std::strrchr(folder, '\\'))
        *slash = 0;
    CreateDirectoryA(folder, nullptr); // there already, or not to be made: the open says
    HANDLE created =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return; // it exists: the user's file is never written
    const OwnedHandle file(created);
    DWORD written = 0;
    WriteFile(file.get(), EXPLANATION, static_cast<DWORD>(std::strlen(EXPLANATION)), &written,
              nullptr);
}

PressOutcome typed(const Profile& profile, const KeyChord& chord) {
    PressOutcome outcome{Actor::PROFILE, Result::SENT};
    outcome.chord = chord;
    lstrcpynA(outcome.profile, profile.name.c_str(), sizeof outcome.profile);
    return outcome;
}

} // namespace

const char* Profiles::filePath() {
    if (!path[0]) {
        char expanded[MAX_PATH] = "";
        const DWORD length = ExpandEnvironmentStringsA(FILE_UNDER_APPDATA, expanded, MAX_PATH);
        // Without APPDATA (Windows 95 and 98) the profiles have no place.
        if (length > 0 && length <= MAX_PATH && !std::strchr(expanded, '%'))
            lstrcpynA(path, expanded, MAX_PATH);
    }
    return path;
}

void Profiles::refresh(bool japanMode) {
    const DWORD now = GetTickCount();
    if (looked && now - lookedAt < PROFILE_CHECK_MS)
        return;
    looked = true;
    lookedAt = now;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!filePath()[0] || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        if (written.dwLowDateTime || written.dwHighDateTime || !set.problems.empty())
            ++loads;
        set = ProfileSet{}; // no file: no profiles, and nothing to report
        written = FILETIME{};
        return;
    }
    if (sameVersion(data.ftLastWriteTime, written) && data.nFileSizeLow == size)
        return;
    written = data.ftLastWriteTime;
    size = data.nFileSizeLow;
    reported = false;
    ++loads;
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow > MAX_PROFILE_FILE_BYTES) {
        set = {{}, {{0, "it is larger than 256 KiB"}}};
        return;
    }
    load(japanMode, data.nFileSizeLow);
}

void Profiles::load(bool japanMode, DWORD bytes) {
    std::string text;
    if (!readWhole(path, bytes, text))
        set = {{}, {{0, "it cannot be read"}}};
    else
        set = parseProfiles(text, japanMode);
}

// One box for each saved version: the first problem, and how many more there are.
void Profiles::reportProblems() {
    if (reported || set.problems.empty())
        return;
    const ProfileProblem& first = set.problems.front();
    std::string text = "The remote profiles in\n" + std::string(path) + "\n";
    if (first.line == 0) {
        text += "are not used: " + first.text + ".";
    } else {
        text += "have problems; those lines are skipped and the rest is used.\n\nLine " +
                std::to_string(first.line) + ": " + first.text + ".";
        if (set.problems.size() > 1)
            text += "\n\n" + std::to_string(set.problems.size() - 1) +
                    " more: the remote monitor lists them all.";
    }
    // Another box of the remote's is open: this one waits for the next press.
    reported = boxes.show(text.c_str(), PROGRAM_CAPTION, MB_OK) != 0;
}

// The press itself; then, held, again after the delay and at every step after it.
bool Profiles::typeNow(const PressTiming& timing) {
    if (!timing.repeat || timing.pressStarted != pressTyped) {
        pressTyped = timing.pressStarted;
        stepTyped = -1;
        if (!timing.repeat)
            return true;
    }
    const DWORD held = GetTickCount() - timing.pressStarted;
    if (held < PROFILE_REPEAT_DELAY_MS)
        return false;
    const long step = static_cast<long>((held - PROFILE_REPEAT_DELAY_MS) / PROFILE_REPEAT_STEP_MS);
    if (step <= stepTyped)
        return false;
    stepTyped = step;
    return true;
}

std::optional<PressOutcome> Profiles::handle(RemoteButton button, const PressTiming& timing,
                                             bool japanMode) {
    refresh(japanMode);
    std::optional<PressOutcome> outcome;
    if (const Profile* profile = profileOf(set, GetForegroundWindow()))
        for (const ProfileButton& named : profile->buttons)
            if (named.button == button) {
                outcome = PressOutcome{}; // a repeat held back
                if (typeNow(timing)) {
                    typeChord(named.chord);
                    outcome = typed(*profile, named.chord);
                }
                break;
            }
    reportProblems();
    return outcome;
}

void Profiles::edit() {
    if (!filePath()[0])
        return;
    writeExplanation(path);
    char windows[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return;
    // Both paths quoted: either may hold blanks.
    char line[3 * MAX_PATH];
    if (std::snprintf(line, sizeof line, "\"%s\\notepad.exe\" \"%s\"", windows, path) <
        static_cast<int>(sizeof line))
        WinExec(line, SW_SHOWNORMAL);
}
