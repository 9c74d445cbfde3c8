// Windows builds only: the simulated desktop writes no file but through this seam's fake.
#include "win32/file_replace.h"

#include "win32/owned.h"

#include <string>

namespace {

DWORD writeWhole(const std::string& path, std::string_view bytes) {
    HANDLE created = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return GetLastError();
    const OwnedHandle file(created);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    if (written != bytes.size())
        return ERROR_DISK_FULL; // a short write without a failure: no room left
    return FlushFileBuffers(file.get()) ? 0 : GetLastError();
}

} // namespace

DWORD replaceFile(const char* path, std::string_view bytes) {
    const std::string beside = std::string(path) + ".new";
    DWORD error = writeWhole(beside, bytes);
    if (error == 0 &&
        !MoveFileExA(beside.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0)
        DeleteFileA(beside.c_str());
    return error;
}
