#include "tvapps/profiles.h"

#include "settings/program_text.h"
#include "tvapps/chord_input.h"
#include "tvapps/profile_match.h"
#include "win32/owned.h"
#include "win32/unicode_text.h"
#include "win32/wide_calls.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* FILE_UNDER_APPDATA = "%APPDATA%\\QN520 Remote Control\\profiles.ini";

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

// Notepad saves UTF-8 on later Windows and ANSI on earlier: a file that is UTF-8 is read as such,
// any other in the ANSI code page.
std::string asUtf8(std::string bytes) {
    return isUtf8(bytes) ? bytes : utf8FromAnsi(bytes);
}

PressOutcome typed(const Profile& profile, const KeyChord& chord) {
    PressOutcome outcome{Actor::PROFILE, Result::SENT};
    outcome.chord = chord;
    const std::string_view name = utf8Prefix(profile.name, sizeof outcome.profile - 1);
    std::memcpy(outcome.profile, name.data(), name.size());
    outcome.profile[name.size()] = 0;
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
        set = parseProfiles(asUtf8(std::move(text)), japanMode);
}

// One box for each saved version: the first problem, and how many more there are. A version
// loaded while the box of an earlier one was open gets its own box at a later press.
void Profiles::showProblems() {
    if (!asked)
        return;
    asked = false;
    if (shownLoad == loads || set.problems.empty())
        return;
    const unsigned showing = loads;
    const ProfileProblem& first = set.problems.front();
    std::string text = "The remote profiles in\n" + utf8FromAnsi(path) + "\n";
    if (first.line == 0) {
        text += "are not used: " + first.text + ".";
    } else {
        text += "have problems; those lines are skipped and the rest is used.\n\nLine " +
                std::to_string(first.line) + ": " + first.text + ".";
        if (set.problems.size() > 1)
            text += "\n\n" + std::to_string(set.problems.size() - 1) +
                    " more: the remote monitor lists them all.";
    }
    // Another box of the remote's is open: this one waits for a later press.
    if (boxes.showText(text, PROGRAM_CAPTION, MB_OK) && shownLoad < showing)
        shownLoad = showing;
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

std::optional<ProfileKey> Profiles::keyFor(RemoteButton button, bool japanMode) {
    refresh(japanMode);
    asked = true;
    if (const Profile* profile = profileOf(set, GetForegroundWindow()))
        for (const ProfileButton& named : profile->buttons)
            if (named.button == button)
                return ProfileKey{profile, &named.chord};
    return std::nullopt;
}

PressOutcome Profiles::press(const ProfileKey& key, const PressTiming& timing) {
    if (!typeNow(timing))
        return {}; // a repeat held back
    typeChord(*key.chord);
    return typed(*key.profile, *key.chord);
}
