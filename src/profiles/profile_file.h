// The profiles file, "%APPDATA%\QN520 Remote Control\profiles.ini": its place, the look at its
// last-write time (at most once a second, only when a press asks), and its reading: a version
// saved since the last look is read whole and parsed, as UTF-8 when it is UTF-8 (Notepad's way
// on later Windows), otherwise in the ANSI code page (its way on earlier ones).
#pragma once

#include "profiles/profile_parser.h"

#include <windows.h>

#include <string>

// The file's last-write time is looked at no more often.
constexpr DWORD PROFILE_CHECK_MS = 1000;

// The file's bytes as text: UTF-8 when they are UTF-8, otherwise read in the ANSI code page.
std::string profileText(std::string bytes);

class ProfileFile {
public:
    // The file's path; empty when there is no place for it (no APPDATA: Windows 95 and 98).
    const char* path();
    // Looks at the file unless that was done less than PROFILE_CHECK_MS ago, and reads it when
    // it was saved since (or has gone: no profiles).
    void refresh(bool japanMode);
    // The profiles in use and the problems of the version they came from.
    const ProfileSet& profiles() const { return set; }
    // Changes whenever they do.
    unsigned loads() const { return loadCount; }

    // The file's bytes as they are now, read afresh for an edit: NONE when there is no file,
    // REFUSED (with the reason in words) when it is larger than the limit, cannot be read or is
    // not text.
    enum class Bytes { NONE, READ, REFUSED };
    Bytes readForEdit(std::string& bytes, std::string& problem);
    // The version that the program has just written itself, parsed from the text it wrote: in use
    // at once, and not read again.
    void adopt(ProfileSet version);

private:
    void read(bool japanMode, DWORD bytes);

    char where[MAX_PATH] = "";
    ProfileSet set;
    unsigned loadCount = 0;
    bool looked = false; // the file's time has been looked at
    DWORD lookedAt = 0;
    FILETIME written = {}; // of the version in use (zero: no file)
    DWORD size = 0;
};
