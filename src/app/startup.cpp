#include "app/startup.h"

#include "settings/program_text.h"
#include "tvapps/window_search.h"

#include <cstring>

void deleteStartupShortcut() {
    char path[SHORTCUT_PATH_SIZE];
    const UINT folderLength = GetWindowsDirectoryA(path, SHORTCUT_PATH_SIZE);
    // 0 is a failure; a length that leaves no room for the suffix and terminator is a folder
    // whose shortcut path could not be held: skip the deletion rather than cut the path short.
    const size_t suffixLength = std::strlen(STARTUP_SHORTCUT_SUFFIX);
    if (folderLength == 0 || folderLength + suffixLength >= SHORTCUT_PATH_SIZE)
        return;
    std::memcpy(path + folderLength, STARTUP_SHORTCUT_SUFFIX, suffixLength + 1);
    DeleteFileA(path);
}

void closeCompetingUtilities() {
    if (HWND manager = findTopLevelTitleStartingWith(WINCINEMA_TITLE_PREFIX)) {
        PostMessageA(manager, WM_COMMAND, WINCINEMA_EXIT_COMMAND, 0);
        PostMessageA(manager, WM_CLOSE, 0, 0);
        PostMessageA(manager, WM_DESTROY, 0, 0);
    }
    if (HWND tuner = findTopLevelTitleStartingWith(TUNER_REMOTE_TITLE_PREFIX)) {
        PostMessageA(tuner, WM_CLOSE, 0, 0);
        PostMessageA(tuner, WM_DESTROY, 0, 0);
    }
}

bool anotherInstanceRunning() {
    return FindWindowA(OLDER_FAMILY_CLASS, nullptr) || FindWindowA(PROGRAM_CAPTION, nullptr);
}
