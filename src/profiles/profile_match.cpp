#include "profiles/profile_match.h"

#include "win32/letter_case.h"

bool matches(const Profile& profile, const WindowDescription& window) {
    return (profile.exe.empty() || sameText(profile.exe, window.exe)) &&
           (profile.className.empty() || sameText(profile.className, window.className)) &&
           containsText(window.title, profile.title);
}

const Profile* profileOf(const ProfileSet& profiles, HWND window) {
    if (profiles.profiles.empty() || !window)
        return nullptr;
    HWND owner = GetWindow(window, GW_OWNER);
    for (HWND candidate : {window, owner}) {
        if (!candidate)
            continue;
        const WindowDescription description = describeWindow(candidate);
        for (const Profile& profile : profiles.profiles)
            if (matches(profile, description))
                return &profile;
    }
    return nullptr;
}
