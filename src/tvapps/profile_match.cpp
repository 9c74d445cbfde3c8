#include "tvapps/profile_match.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = lower(c);
    return text;
}

} // namespace

void identify(HWND window, WindowIdentity& identity) {
    identity = WindowIdentity{};
    programNameOfWindow(window, identity.exe);
    if (GetClassNameA(window, identity.className, sizeof identity.className) == 0)
        identity.className[0] = 0;
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return;
    identity.title.assign(static_cast<std::size_t>(length) + 1, '\0');
    const int read = GetWindowTextA(window, identity.title.data(), length + 1);
    identity.title.resize(read > 0 && read <= length ? static_cast<std::size_t>(read) : 0);
}

bool matches(const Profile& profile, const WindowIdentity& window) {
    if (!profile.exe.empty() && lstrcmpiA(profile.exe.c_str(), window.exe) != 0)
        return false;
    if (!profile.className.empty() && lstrcmpiA(profile.className.c_str(), window.className) != 0)
        return false;
    return profile.title.empty() ||
           lowered(window.title).find(lowered(profile.title)) != std::string::npos;
}

const Profile* profileOf(const ProfileSet& profiles, HWND window) {
    if (profiles.profiles.empty() || !window)
        return nullptr;
    HWND owner = GetWindow(window, GW_OWNER);
    for (HWND candidate : {window, owner}) {
        if (!candidate)
            continue;
        WindowIdentity identity;
        identify(candidate, identity);
        for (const Profile& profile : profiles.profiles)
            if (matches(profile, identity))
                return &profile;
    }
    return nullptr;
}
