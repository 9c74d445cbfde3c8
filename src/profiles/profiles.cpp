#include "profiles/profiles.h"

#include "keys/key_chord.h"
#include "profiles/profile_match.h"
#include "settings/program_text.h"
#include "win32/wide_calls.h"

#include <string>

// One box for each saved version: the first problem, and how many more there are. A version
// loaded while the box of an earlier one was open gets its own box at a later press.
void Profiles::showProblems() {
    if (!asked)
        return;
    asked = false;
    const ProfileSet& set = file.profiles();
    if (shownLoad == file.loads() || set.problems.empty())
        return;
    const unsigned showing = file.loads();
    const ProfileProblem& first = set.problems.front();
    std::string text = "The remote profiles in\n" + utf8FromAnsi(file.path()) + "\n";
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
    file.refresh(japanMode);
    asked = true;
    if (const Profile* profile = profileOf(file.profiles(), GetForegroundWindow()))
        for (const ProfileButton& named : profile->buttons)
            if (named.button == button)
                return ProfileKey{profile, &named.chord};
    return std::nullopt;
}

bool Profiles::press(const ProfileKey& key, const PressTiming& timing) {
    if (!typeNow(timing))
        return false; // a repeat held back
    typeKeyChord(*key.chord);
    return true;
}

void Profiles::adopt(ProfileSet written) {
    const bool problemsShown = shownLoad == file.loads() && !file.profiles().problems.empty();
    file.adopt(std::move(written));
    if (problemsShown)
        shownLoad = file.loads();
}
