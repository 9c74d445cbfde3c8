// Files as the profiles use them: looked at, and read or written whole in one call each.
#include "state.h"

#include <cstring>

using sim::detail::desktop;

namespace sim {

void setFile(const std::string& path, const std::string& content, DWORD lastWrite) {
    desktop().files[detail::lower(path)] = {content, lastWrite};
}

std::optional<std::string> file(const std::string& path) {
    const auto found = desktop().files.find(detail::lower(path));
    return found == desktop().files.end() ? std::nullopt : std::optional(found->second.content);
}

} // namespace sim

namespace {

sim::detail::Desktop::File* fileOf(HANDLE handle) {
    auto& d = desktop();
    const auto open = d.openFiles.find(reinterpret_cast<std::uintptr_t>(handle));
    if (open == d.openFiles.end() || !d.kernelHandles.count(open->first))
        return nullptr;
    const auto found = d.files.find(open->second);
    return found == d.files.end() ? nullptr : &found->second;
}

} // namespace

BOOL WINAPI GetFileAttributesExA(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS, LPVOID information) {
    const auto found = desktop().files.find(sim::detail::lower(lpFileName));
    if (found == desktop().files.end())
        return FALSE;
    auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information);
    *data = {};
    data->ftLastWriteTime.dwLowDateTime = found->second.lastWrite;
    data->nFileSizeLow = static_cast<DWORD>(found->second.content.size());
    return TRUE;
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD, DWORD, LPVOID, DWORD disposition, DWORD,
                          HANDLE) {
    auto& d = desktop();
    const std::string path = sim::detail::lower(lpFileName);
    const bool exists = d.files.count(path) != 0;
    if ((disposition == CREATE_NEW && exists) || (disposition == OPEN_EXISTING && !exists))
        return INVALID_HANDLE_VALUE;
    if (!exists)
        d.files[path] = {"", d.ticks};
    HANDLE handle = sim::detail::newHandle();
    d.openFiles[reinterpret_cast<std::uintptr_t>(handle)] = path;
    return handle;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD count, LPDWORD read, LPOVERLAPPED) {
    const auto* file = fileOf(hFile);
    if (!file)
        return FALSE;
    *read = static_cast<DWORD>(std::min<std::size_t>(count, file->content.size()));
    std::memcpy(lpBuffer, file->content.data(), *read);
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD count, LPDWORD written, LPOVERLAPPED) {
    auto* file = fileOf(hFile);
    if (!file)
        return FALSE;
    file->content.append(static_cast<const char*>(lpBuffer), count);
    *written = count;
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR, LPVOID) {
    return TRUE;
}
