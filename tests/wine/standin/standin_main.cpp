// A stand-in for the TV applications that the remote-control program drives. It shows the windows
// by which the program recognises one application, writes every key, character and private
// message it receives to a log the harness reads, and exits on that application's close command.
//
// Its role comes from "standin.ini" beside the executable ([standin] role=..., as the harness
// writes it) or else from the executable's own name (PVCR.EXE is PowerVCR II, and so on). The log
// is "standin.log" beside the executable; lines look like the simulated desktop's events:
//   started powervcr
//   powervcr msg=0x100 wParam=0x30 lParam=0xB0001
//   exit powervcr
#include "standin/standin_roles.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr UINT COMMAND_MESSAGE = 0x0BD0;
constexpr UINT WINDVR_MESSAGE = 0x038F;

const StandinApp* role = nullptr;
HWND mainWindow = nullptr;
char logPath[MAX_PATH];

void writeLog(const char* line) {
    // Opened per line, so the harness always reads whole lines and nothing waits on a flush.
    FILE* log = std::fopen(logPath, "a");
    if (!log)
        return;
    std::fprintf(log, "%s\n", line);
    std::fclose(log);
}

void logMessage(const char* label, UINT message, WPARAM wParam, LPARAM lParam) {
    char line[160];
    std::snprintf(line, sizeof line, "%s msg=0x%X wParam=0x%llX lParam=0x%lX", label, message,
                  static_cast<unsigned long long>(wParam),
                  static_cast<unsigned long>(static_cast<DWORD>(lParam)));
    writeLog(line);
}

bool isLogged(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_COMMAND:
    case WINDVR_MESSAGE:
    case COMMAND_MESSAGE:
        return true;
    default:
        return false;
    }
}

bool closes(UINT message, WPARAM wParam, bool fromChild) {
    switch (role->close) {
    case CloseCommand::CtrlX:
        return message == WM_KEYDOWN && wParam == 'X' && (GetKeyState(VK_CONTROL) & 0x8000);
    case CloseCommand::KeyO:
        return message == WM_KEYDOWN && wParam == 'O';
    case CloseCommand::KeyX:
        return message == WM_KEYDOWN && wParam == 'X';
    case CloseCommand::KeyXToChild:
        return fromChild && message == WM_KEYDOWN && wParam == 'X';
    case CloseCommand::CommandMessage:
        return message == COMMAND_MESSAGE && wParam == 1;
    }
    return false;
}

LRESULT handle(HWND window, const char* label, bool child, UINT message, WPARAM wParam,
               LPARAM lParam) {
    if (isLogged(message)) {
        logMessage(label, message, wParam, lParam);
        if (closes(message, wParam, child)) {
            DestroyWindow(mainWindow);
            return 0;
        }
    }
    if (message == WM_DESTROY && window == mainWindow)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return handle(window, role->name, false, message, wParam, lParam);
}

LRESULT CALLBACK childProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return handle(window, "child", true, message, wParam, lParam);
}

LRESULT CALLBACK videoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return handle(window, "video", false, message, wParam, lParam);
}

// ASCII names and titles, as UTF-16.
std::wstring wide(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

// Unicode windows: a title set with SetWindowTextW keeps letters of every script, as a player's
// of today does.
bool registerClass(HINSTANCE instance, const char* name, WNDPROC proc) {
    const std::wstring className = wide(name);
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className.c_str();
    return RegisterClassW(&wc) != 0;
}

HWND createWindow(const char* className, const char* title, DWORD style, int x, int y, int width,
                  int height, HWND parent, HINSTANCE instance) {
    return CreateWindowExW(0, wide(className).c_str(), wide(title).c_str(), style, x, y, width,
                           height, parent, nullptr, instance, nullptr);
}

// The folder of this executable with a trailing backslash, and the executable's file name.
void locateSelf(char* folder, size_t folderSize, const char** exeName) {
    static char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    path[length < sizeof path ? length : sizeof path - 1] = 0;
    char* slash = std::strrchr(path, '\\');
    *exeName = slash ? slash + 1 : path;
    const size_t keep = slash ? static_cast<size_t>(slash - path + 1) : 0;
    std::snprintf(folder, folderSize, "%.*s", static_cast<int>(keep), path);
}

bool createWindows(HINSTANCE instance) {
    if (!registerClass(instance, role->className, mainProc) ||
        !registerClass(instance, "StandinChild", childProc) ||
        !registerClass(instance, "StandinVideo", videoProc))
        return false;
    mainWindow = createWindow(role->className, role->title, WS_OVERLAPPEDWINDOW, 40, 40, 320, 240,
                              nullptr, instance);
    if (!mainWindow)
        return false;
    if (role->firstChild)
        createWindow("StandinChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 200, mainWindow,
                     instance);
    if (role->videoWindow) {
        HWND video = createWindow("StandinVideo", "Video", WS_OVERLAPPEDWINDOW, 380, 40, 320, 240,
                                  mainWindow, instance);
        createWindow("StandinChild", "VideoWindow2", WS_CHILD | WS_VISIBLE, 0, 0, 320, 200, video,
                     instance);
        ShowWindow(video, SW_SHOWNOACTIVATE);
    }
    ShowWindow(mainWindow, SW_SHOW);
    UpdateWindow(mainWindow);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH];
    const char* exeName = nullptr;
    locateSelf(folder, sizeof folder, &exeName);
    std::snprintf(logPath, sizeof logPath, "%sstandin.log", folder);

    char iniPath[MAX_PATH];
    std::snprintf(iniPath, sizeof iniPath, "%sstandin.ini", folder);
    char roleName[32] = {};
    GetPrivateProfileStringA("standin", "role", "", roleName, sizeof roleName, iniPath);
    role = findRole(roleName, exeName);
    if (!role) {
        writeLog("no role");
        return 2;
    }
    if (!createWindows(instance)) {
        writeLog("no window");
        return 3;
    }
    char line[64];
    std::snprintf(line, sizeof line, "started %s", role->name);
    writeLog(line);

    // No TranslateMessage: the log shows exactly what was posted or typed, with no characters
    // made up from key-downs.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    std::snprintf(line, sizeof line, "exit %s", role->name);
    writeLog(line);
    return 0;
}
