// The user's profiles for other players: where the remote would otherwise be a mouse, a button
// that the profile of the window in front names types that profile's key. The file is looked at
// only at a press that reaches this stage (profile_file.h); a box about its problems comes after
// that press.
#pragma once

#include "profiles/profile_editor.h"
#include "profiles/profile_file.h"
#include "win32/message_box_guard.h"

#include <windows.h>

#include <optional>

// A held button types its chord at the press, again this long after it, then at every step.
constexpr DWORD PROFILE_REPEAT_DELAY_MS = 500;
constexpr DWORD PROFILE_REPEAT_STEP_MS = 130;

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
    // Types the key at the press, and for a held button as the repeat rule says; false for a
    // repeat held back.
    bool press(const ProfileKey& key, const PressTiming& timing);
    // After a press that reached the profiles has been carried out: the problems of a saved
    // version not shown yet, in a box, one at a time with the remote's other boxes.
    void showProblems();
    // Opens the file in Notepad, as ProfileEditor does.
    void edit() { editor.edit(file.path()); }
    // The file, for an edit of the program's own.
    ProfileFile& profileFile() { return file; }
    // The version the program has just written, in use at once; when the version before had its
    // problems shown, the same problems show no second box.
    void adopt(ProfileSet written);

    // The profiles in use and the problems of the file they came from; `loads` changes with them.
    const ProfileSet& inUse() const { return file.profiles(); }
    unsigned loads() const { return file.loads(); }
    // The file's path; empty when there is no place for it.
    const char* filePath() { return file.path(); }

private:
    bool typeNow(const PressTiming& timing);

    MessageBoxGuard& boxes;
    ProfileFile file;
    ProfileEditor editor;
    bool asked = false;     // a press reached the profiles since the last showProblems
    unsigned shownLoad = 0; // the load whose problems were shown last
    DWORD pressTyped = 0;   // the press whose repeats are being typed
    long stepTyped = -1;    // its last step typed (-1: only the press)
};
