// The user's profiles for other players: where the remote would otherwise be a mouse, a button
// that the profile of the window in front names types that profile's key. The file is
// "%APPDATA%\QN520 Remote Control\profiles.ini"; it is looked at only at a press that reaches
// this stage, at most once a second, and read again only when it was saved since.
#pragma once

#include "tvapps/press_outcome.h"
#include "tvapps/profile_editor.h"
#include "tvapps/profile_file.h"
#include "win32/message_box_guard.h"

#include <windows.h>

#include <optional>

// A held button types its chord at the press, again this long after it, then at every step.
constexpr DWORD PROFILE_REPEAT_DELAY_MS = 500;
constexpr DWORD PROFILE_REPEAT_STEP_MS = 130;
// The file's last-write time is looked at no more often.
constexpr DWORD PROFILE_CHECK_MS = 1000;

// A press as the profiles' repeat rule sees it.
struct PressTiming {
    bool repeat;        // the held button seen again
    DWORD pressStarted; // the tick of the press
};

// The key that a profile gives a button, valid until the next press looks at the file.
struct ProfileKey {
    const Profile* profile;
    const KeyChord* chord;
};

class Profiles {
public:
    explicit Profiles(MessageBoxGuard& boxes) : boxes(boxes) {}

    // The button, at the stage where the mouse emulation would get it: the key of the profile of
    // the window in front, or nothing when no profile takes the button and the mouse is to.
    std::optional<ProfileKey> keyFor(RemoteButton button, bool japanMode);
    // Types the key at the press, and for a held button as the repeat rule says: what was done
    // (a repeat held back is nobody's action).
    PressOutcome press(const ProfileKey& key, const PressTiming& timing);
    // After a press that reached the profiles has been carried out: the problems of a saved
    // version not shown yet, in a box, one at a time with the remote's other boxes.
    void showProblems();
    // Opens the file in Notepad, as ProfileEditor does.
    void edit() { editor.edit(filePath()); }

    // The profiles in use and the problems of the file they came from; `loads` changes with them.
    const ProfileSet& inUse() const { return set; }
    unsigned loads = 0;
    // The file's path; empty when there is no place for it.
    const char* filePath();

private:
    void refresh(bool japanMode);
    void load(bool japanMode, DWORD size);
    bool typeNow(const PressTiming& timing);

    MessageBoxGuard& boxes;
    ProfileEditor editor;
    char path[MAX_PATH] = "";
    ProfileSet set;
    bool looked = false; // the file's time has been looked at
    DWORD lookedAt = 0;
    FILETIME written = {}; // of the version in use (zero: no file)
    DWORD size = 0;
    bool asked = false;     // a press reached the profiles since the last showProblems
    unsigned shownLoad = 0; // the load whose problems were shown last
    DWORD pressTyped = 0;   // the press whose repeats are being typed
    long stepTyped = -1;    // its last step typed (-1: only the press)
};
