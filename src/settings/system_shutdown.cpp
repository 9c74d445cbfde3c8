#include "settings/system_shutdown.h"

#include "settings/program_text.h"
#include "settings/windows_family.h"
#include "win32/owned.h"

#include <windows.h>

namespace {

// Enables the shutdown privilege in the process token; false when it is not held or not set.
bool enableShutdownPrivilege() {
    OwnedHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()))
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    // AdjustTokenPrivileges succeeds even when the user lacks the privilege; the last error says.
    return GetLastError() == ERROR_SUCCESS;
}

} // namespace

void shutDownComputer() {
    if (isWindows9x()) {
        ExitWindowsEx(EWX_SHUTDOWN, 0);
        return;
    }
    if (!enableShutdownPrivilege())
        return;
    if (!ExitWindowsEx(EWX_POWEROFF | EWX_FORCE, 0))
        MessageBoxA(nullptr, "Can't run ExitWindowsEx.", PROGRAM_CAPTION, MB_OK);
}
