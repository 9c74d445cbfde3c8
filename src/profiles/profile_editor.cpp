#include "profiles/profile_editor.h"

#include "win32/owned.h"

#include <cstdio>
#include <cstring>

// What Edit writes into a file that does not exist yet.
const char* const PROFILES_EXPLANATION =
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
    "; PageUp, PageDown, Home, End, Insert, Delete, Plus, Minus, Period, Comma, NumPlus,\r\n"
    "; NumMinus, VolumeUp, VolumeDown, Mute, PlayPause, Stop, NextTrack, PrevTrack. Modifiers:\r\n"
    "; Ctrl, Alt, Shift, Win.\r\n"
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

namespace {

void writeExplanation(const char* path) {
    createProfilesFolder(path);
    HANDLE created =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return; // it exists: the user's file is never written
    const OwnedHandle file(created);
    DWORD written = 0;
    WriteFile(file.get(), PROFILES_EXPLANATION,
              static_cast<DWORD>(std::strlen(PROFILES_EXPLANATION)), &written, nullptr);
}

} // namespace

void createProfilesFolder(const char* path) {
    char folder[MAX_PATH];
    lstrcpynA(folder, path, sizeof folder);
    if (char* slash = std::strrchr(folder, '\\'))
        *slash = 0;
    CreateDirectoryA(folder, nullptr); // there already, or not to be made: the write says
}

void ProfileEditor::edit(const char* path) {
    if (!path[0])
        return;
    if (notepad.running()) {
        notepad.bringToFront();
        return;
    }
    const DWORD now = GetTickCount();
    if (started && now - startedAt < EDITOR_START_GAP_MS)
        return;
    started = true;
    startedAt = now;
    writeExplanation(path);
    char windows[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return;
    // Both paths quoted: either may hold blanks.
    char line[3 * MAX_PATH];
    if (std::snprintf(line, sizeof line, "\"%s\\notepad.exe\" \"%s\"", windows, path) <
        static_cast<int>(sizeof line))
        notepad.start(line);
}
