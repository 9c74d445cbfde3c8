// Version answers of both Windows families, the Windows folder and win.ini, files, text
// conversion, WinExec, the process token with its shutdown privilege, and ExitWindowsEx.
#include "state.h"

#include <cstdlib>
#include <cstring>

using sim::detail::desktop;
using sim::detail::lower;

namespace sim {

void setWindows9x(bool nineX) {
    desktop().nineX = nineX;
}
void setWindowsDirectory(const std::string& folder) {
    desktop().windowsDir = folder;
}
void setWinIni(const std::string& section, const std::string& key, const std::string& value) {
    desktop().winIni[lower(section) + "\n" + lower(key)] = value;
}
std::vector<std::string> deletedFiles() {
    return desktop().deleted;
}
void setWinExecResult(UINT result) {
    desktop().winExecResult = result;
}
void setWinExecWait(DWORD ms) {
    desktop().winExecWait = ms;
}
void setEnvironmentVariable(const std::string& name, const std::string& value) {
    desktop().environment[sim::detail::lower(name)] = value;
}
void showWindowOnExec(const std::string& exeName, const NewWindow& wanted) {
    desktop().execWindows.push_back({lower(exeName), wanted});
}

void setOpenTokenFails(bool fails) {
    desktop().openTokenFails = fails;
}
void setShutdownPrivilegeHeld(bool held) {
    desktop().privilegeHeld = held;
}
void setLookupPrivilegeFails(bool fails) {
    desktop().lookupFails = fails;
}
void setExitWindowsResult(BOOL result, DWORD error) {
    desktop().exitResult = result;
    desktop().exitError = error;
}

} // namespace sim

namespace {

HANDLE newKernelHandle() {
    auto& d = desktop();
    const std::uintptr_t h = d.nextHandle;
    d.nextHandle += 4;
    d.kernelHandles.insert(h);
    return reinterpret_cast<HANDLE>(h);
}

// The LUID that the simulated system gives the shutdown privilege.
constexpr DWORD SHUTDOWN_LUID = 19;

} // namespace

namespace sim::detail {
HANDLE newHandle() {
    return newKernelHandle();
}
} // namespace sim::detail

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    const bool nineX = desktop().nineX;
    info->dwMajorVersion = nineX ? 4 : 5;
    info->dwMinorVersion = nineX ? 10 : 0;
    info->dwBuildNumber = nineX ? 0x040A07CE : 2195;
    info->dwPlatformId = nineX ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    std::strcpy(info->szCSDVersion, nineX ? " A " : "Service Pack 4");
    return TRUE;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    const std::string& dir = desktop().windowsDir;
    const UINT length = static_cast<UINT>(dir.size());
    if (!lpBuffer || uSize <= length)
        return length + 1; // size needed, terminator included; nothing is copied
    std::memcpy(lpBuffer, dir.c_str(), length + 1);
    return length;
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                  LPCSTR lpFileName) {
    sim::record(std::string("GetPrivateProfileInt ") + sim::quoted(lpAppName) + " " +
                sim::quoted(lpKeyName) + " file=" + sim::quoted(lpFileName));
    // Only win.ini exists; a bare name is looked up in the Windows folder, as Windows does.
    const std::string file = lower(lpFileName ? lpFileName : "");
    const std::string full = lower(desktop().windowsDir + "\\win.ini");
    if (file != "win.ini" && file != full)
        return static_cast<UINT>(nDefault);
    auto it = desktop().winIni.find(lower(lpAppName ? lpAppName : "") + "\n" +
                                    lower(lpKeyName ? lpKeyName : ""));
    if (it == desktop().winIni.end())
        return static_cast<UINT>(nDefault);
    // Windows reads a leading decimal number; anything that is not one reads as 0.
    return static_cast<UINT>(std::strtol(it->second.c_str(), nullptr, 10));
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    sim::record("DeleteFile " + sim::quoted(lpFileName));
    desktop().deleted.push_back(lpFileName ? lpFileName : "");
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}

UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow) {
    auto& d = desktop();
    sim::record("WinExec " + sim::quoted(lpCmdLine) + " show=" + std::to_string(uCmdShow));
    if (d.winExecResult <= 31)
        return d.winExecResult;
    const std::string line = lower(lpCmdLine ? lpCmdLine : "");
    for (const auto& [exe, wanted] : d.execWindows) {
        const auto at = line.rfind(exe);
        if (at != std::string::npos && (at + exe.size() == line.size() ||
                                        (at + exe.size() + 1 == line.size() && line.back() == '"')))
            sim::createWindow(wanted);
    }
    d.ticks += d.winExecWait; // the thread stands still while the program comes up
    return d.winExecResult;
}

// %NAME% is replaced by the variable's value; an unknown name stays as it is, as in Win32. The
// answer counts the terminator; a buffer too small gets nothing and learns the size it needs.
DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    const std::string source = lpSrc ? lpSrc : "";
    std::string out;
    for (size_t i = 0; i < source.size();) {
        const size_t end = source[i] == '%' ? source.find('%', i + 1) : std::string::npos;
        if (end == std::string::npos) {
            out += source[i++];
            continue;
        }
        const auto var =
            desktop().environment.find(sim::detail::lower(source.substr(i + 1, end - i - 1)));
        if (var == desktop().environment.end()) {
            out += source.substr(i, end - i);
            i = end;
            continue;
        }
        out += var->second;
        i = end + 1;
    }
    const DWORD needed = static_cast<DWORD>(out.size() + 1);
    if (lpDst && nSize >= needed)
        std::memcpy(lpDst, out.c_str(), needed);
    return needed;
}

// The code page maps ASCII alone; every other character becomes its default character, '?'. A
// buffer too small is filled as far as it goes, without a terminator, and the call fails.
int WINAPI WideCharToMultiByte(UINT, DWORD, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR, LPBOOL) {
    std::string out;
    for (int i = 0; cchWideChar < 0 ? i == 0 || lpWideCharStr[i - 1] != 0 : i < cchWideChar; ++i) {
        const auto c = static_cast<unsigned>(lpWideCharStr[i]);
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    const int needed = static_cast<int>(out.size());
    if (cbMultiByte == 0)
        return needed;
    std::memcpy(lpMultiByteStr, out.data(), needed < cbMultiByte ? needed : cbMultiByte);
    if (needed > cbMultiByte) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return needed;
}

HANDLE WINAPI GetCurrentProcess(void) {
    return reinterpret_cast<HANDLE>(LONG_PTR(-1));
}

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
    sim::record("OpenProcessToken process=" + sim::hex(reinterpret_cast<std::uintptr_t>(process)) +
                " access=" + sim::hex(access));
    if (!token)
        return FALSE;
    if (desktop().openTokenFails) {
        *token = nullptr;
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *token = newKernelHandle();
    return TRUE;
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR system, LPCSTR name, PLUID luid) {
    sim::record("LookupPrivilegeValue system=" + sim::quoted(system) +
                " name=" + sim::quoted(name));
    if (desktop().lookupFails || !name || std::strcmp(name, SE_SHUTDOWN_NAME) != 0) {
        SetLastError(ERROR_NO_SUCH_PRIVILEGE);
        return FALSE;
    }
    luid->LowPart = SHUTDOWN_LUID;
    luid->HighPart = 0;
    return TRUE;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                  DWORD bufferLength, PTOKEN_PRIVILEGES previous, DWORD* returned) {
    std::string line = "AdjustTokenPrivileges disableAll=" + std::to_string(disableAll);
    if (state) {
        line += " count=" + std::to_string(state->PrivilegeCount);
        for (DWORD i = 0; i < state->PrivilegeCount && i < 1; ++i)
            line += " luid=" + std::to_string(state->Privileges[i].Luid.HighPart) + ":" +
                    std::to_string(state->Privileges[i].Luid.LowPart) +
                    " attributes=" + sim::hex(state->Privileges[i].Attributes);
    }
    line += " bufferLength=" + std::to_string(bufferLength) +
            " previous=" + (previous ? "set" : "null") + " returned=" + (returned ? "set" : "null");
    sim::record(line);
    if (!desktop().kernelHandles.count(reinterpret_cast<std::uintptr_t>(token))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Like Windows: the call succeeds, and the last error tells whether every privilege was set.
    bool allAssigned = desktop().privilegeHeld;
    if (state)
        for (DWORD i = 0; i < state->PrivilegeCount && i < 1; ++i)
            if (state->Privileges[i].Luid.LowPart != SHUTDOWN_LUID ||
                state->Privileges[i].Luid.HighPart != 0)
                allAssigned = false;
    if (allAssigned && state && state->PrivilegeCount > 0 &&
        (state->Privileges[0].Attributes & SE_PRIVILEGE_ENABLED))
        desktop().privilegeEnabled = true;
    SetLastError(allAssigned ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
    return TRUE;
}

BOOL WINAPI ExitWindowsEx(UINT uFlags, DWORD dwReason) {
    sim::record("ExitWindowsEx flags=" + sim::hex(uFlags) + " reason=" + sim::hex(dwReason));
    // The NT family refuses a shutdown from a process whose token lacks the enabled privilege.
    if (!desktop().nineX && !desktop().privilegeEnabled) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return FALSE;
    }
    if (!desktop().exitResult)
        SetLastError(desktop().exitError);
    return desktop().exitResult;
}
