#include "win32/process_name.h"

#include "win32/later_calls.h"
#include "win32/owned.h"

#include <cstring>

namespace {

// Not in the headers of the program's oldest Windows.
constexpr DWORD QUERY_LIMITED_INFORMATION = 0x1000;

// Keeps what follows the last backslash of `path`, cut to fit and terminated.
bool keepFileName(const char* path, char (&name)[PROGRAM_NAME_SIZE]) {
    const char* slash = std::strrchr(path, '\\');
    const char* file = slash ? slash + 1 : path;
    lstrcpynA(name, file, PROGRAM_NAME_SIZE);
    return name[0] != 0;
}

bool programNameByQuery(DWORD processId, char (&name)[PROGRAM_NAME_SIZE]) {
    const auto query = laterCalls().queryFullProcessImageName;
    if (!query)
        return false;
    OwnedHandle process(OpenProcess(QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    if (!query(process.get(), 0, path, &size) || size >= sizeof path)
        return false;
    path[size] = 0;
    return keepFileName(path, name);
}

} // namespace

bool programNameFromProcessList(DWORD processId, char (&name)[PROGRAM_NAME_SIZE]) {
    name[0] = 0;
    const LaterCalls& calls = laterCalls();
    if (!calls.createToolhelp32Snapshot || !calls.process32First || !calls.process32Next)
        return false;
    HANDLE snapshot = calls.createToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    const OwnedHandle list(snapshot);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = calls.process32First(snapshot, &entry); more;
         more = calls.process32Next(snapshot, &entry))
        if (entry.th32ProcessID == processId) {
            entry.szExeFile[sizeof entry.szExeFile - 1] = 0;
            return keepFileName(entry.szExeFile, name);
        }
    return false;
}

bool programNameOfWindow(HWND window, char (&name)[PROGRAM_NAME_SIZE]) {
    name[0] = 0;
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId) || processId == 0)
        return false;
    return programNameByQuery(processId, name) || programNameFromProcessList(processId, name);
}
