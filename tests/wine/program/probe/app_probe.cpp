// A passive observer that the harness hooks into the program under test (thread hooks set on its
// user-interface thread before it runs). It writes what it sees to the file named by the
// QN520_PROBE_LOG environment variable, one line per event:
//   create class=<class>                       a top-level window of the process is created
//   show class=<class>                         one is being shown
//   destroy class=<class> icon=<0|1>           one has handled WM_DESTROY; icon: the shell still
//                                              holds an icon (id 10) for it
//   exit class=<class> icon=<0|1>              the process is ending; each of its windows left
//   menu handle=<hex> earlier-alive=<n>        a popup menu is about to show; n earlier menus
//                                              seen by the probe still exist
//   item id=<id> state=<hex> text=<text>       one item of that menu, in order
//
// Why inside the program: Wine's shell drops the icons of a window as soon as the window is
// destroyed or its process ends, so "no icon left" seen from outside after the end proves
// nothing; here the shell is asked while the window still exists. And Wine keeps a menu's items
// in the process that built it, so no other process can read them.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

constexpr UINT PROGRAM_ICON_ID = 10;

// Only a process the harness hooked writes anything (the harness loads the probe too, to find
// its entry points).
bool hooked = false;
std::vector<HMENU> menusSeen;

void writeLine(const char* line) {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("QN520_PROBE_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    FILE* log = std::fopen(path, "a");
    if (!log)
        return;
    std::fprintf(log, "%s\n", line);
    std::fclose(log);
}

bool isTopLevel(HWND window) {
    return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

void className(HWND window, char (&name)[64]) {
    if (GetClassNameA(window, name, sizeof name) == 0)
        name[0] = 0;
}

// The shell's own answer: NIM_MODIFY with no fields to change succeeds only for an icon it holds.
int shellHoldsIcon(HWND window) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = PROGRAM_ICON_ID;
    return Shell_NotifyIconA(NIM_MODIFY, &record) ? 1 : 0;
}

void noteWindow(const char* event, HWND window, bool withIcon) {
    char name[64];
    className(window, name);
    char line[160];
    if (withIcon)
        std::snprintf(line, sizeof line, "%s class=%s icon=%d", event, name,
                      shellHoldsIcon(window));
    else
        std::snprintf(line, sizeof line, "%s class=%s", event, name);
    writeLine(line);
}

void noteMenu(HMENU menu) {
    int earlierAlive = 0;
    for (HMENU earlier : menusSeen)
        if (earlier != menu && IsMenu(earlier))
            ++earlierAlive;
    menusSeen.push_back(menu);
    char line[200];
    std::snprintf(line, sizeof line, "menu handle=%p earlier-alive=%d", static_cast<void*>(menu),
                  earlierAlive);
    writeLine(line);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        std::snprintf(line, sizeof line, "item id=%u state=0x%X text=%s", GetMenuItemID(menu, i),
                      GetMenuState(menu, i, MF_BYPOSITION), text);
        writeLine(line);
    }
}

BOOL CALLBACK noteExit(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        noteWindow("exit", window, true);
    return TRUE;
}

} // namespace

// WH_CALLWNDPROC: messages on their way to a window procedure.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    probeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    hooked = true;
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        switch (call->message) {
        case WM_CREATE:
            if (isTopLevel(call->hwnd))
                noteWindow("create", call->hwnd, false);
            break;
        case WM_SHOWWINDOW:
            if (call->wParam && isTopLevel(call->hwnd))
                noteWindow("show", call->hwnd, false);
            break;
        case WM_WINDOWPOSCHANGING: {
            const auto* position = reinterpret_cast<const WINDOWPOS*>(call->lParam);
            if ((position->flags & SWP_SHOWWINDOW) && isTopLevel(call->hwnd))
                noteWindow("show", call->hwnd, false);
            break;
        }
        case WM_INITMENUPOPUP:
            noteMenu(reinterpret_cast<HMENU>(call->wParam));
            break;
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// WH_CALLWNDPROCRET: after the window procedure. At WM_DESTROY the window still exists and the
// program has done all it does for its end.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    probeCallWndProcRet(int code, WPARAM wParam, LPARAM lParam) {
    hooked = true;
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_DESTROY && isTopLevel(call->hwnd))
            noteWindow("destroy", call->hwnd, true);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID processEnding) {
    // Ending with ExitProcess (processEnding non-null): the windows that no one destroyed still
    // exist while the DLLs are told, and so does their icon unless the program removed it.
    if (reason == DLL_PROCESS_DETACH && processEnding && hooked)
        EnumWindows(noteExit, 0);
    return TRUE;
}
