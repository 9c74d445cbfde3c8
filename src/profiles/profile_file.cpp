#include "profiles/profile_file.h"

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

} // namespace

std::string profileText(std::string bytes) {
    return isUtf8(bytes) ? bytes : utf8FromAnsi(bytes);
}

const char* ProfileFile::path() {
    if (!where[0]) {
        char expanded[MAX_PATH] = "";
        const DWORD length = ExpandEnvironmentStringsA(FILE_UNDER_APPDATA, expanded, MAX_PATH);
        // Without APPDATA (Windows 95 and 98) the profiles have no place.
        if (length > 0 && length <= MAX_PATH && !std::strchr(expanded, '%'))
            lstrcpynA(where, expanded, MAX_PATH);
    }
    return where;
}

void ProfileFile::refresh(bool japanMode) {
    const DWORD now = GetTickCount();
    if (looked && now - lookedAt < PROFILE_CHECK_MS)
        return;
    looked = true;
    lookedAt = now;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!path()[0] || !GetFileAttributesExA(where, GetFileExInfoStandard, &data)) {
        if (written.dwLowDateTime || written.dwHighDateTime || !set.problems.empty())
            ++loadCount;
        set = ProfileSet{}; // no file: no profiles, and nothing to report
        written = FILETIME{};
        return;
    }
    if (sameVersion(data.ftLastWriteTime, written) && data.nFileSizeLow == size)
        return;
    written = data.ftLastWriteTime;
    size = data.nFileSizeLow;
    ++loadCount;
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow > MAX_PROFILE_FILE_BYTES) {
        set = {{}, {{0, "it is larger than 256 KiB"}}, {}};
        return;
    }
    read(japanMode, data.nFileSizeLow);
}

void ProfileFile::read(bool japanMode, DWORD bytes) {
    std::string text;
    if (!readWhole(where, bytes, text))
        set = {{}, {{0, "it cannot be read"}}, {}};
    else
        set = parseProfiles(profileText(std::move(text)), japanMode);
}

ProfileFile::Bytes ProfileFile::readForEdit(std::string& bytes, std::string& problem) {
    bytes.clear();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!path()[0] || !GetFileAttributesExA(where, GetFileExInfoStandard, &data))
        return Bytes::NONE;
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow > MAX_PROFILE_FILE_BYTES)
        problem = "it is larger than 256 KiB";
    else if (!readWhole(where, data.nFileSizeLow, bytes))
        problem = "it cannot be read";
    else if (bytes.find('\0') != std::string::npos)
        problem = "it is not text";
    return problem.empty() ? Bytes::READ : Bytes::REFUSED;
}

void ProfileFile::adopt(ProfileSet version) {
    set = std::move(version);
    ++loadCount;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(where, GetFileExInfoStandard, &data))
        return; // gone again already: the next look finds out
    looked = true;
    lookedAt = GetTickCount();
    written = data.ftLastWriteTime;
    size = data.nFileSizeLow;
}
