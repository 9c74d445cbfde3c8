// start-as-user: starts a program as the user whose desktop this is, through that desktop's own
// shell, so that a program started from an elevated installer runs with the user's own rights
// and as the shell's child, not the installer's. The way is the one Windows' shell offers for it:
// the desktop's folder view (ShellWindows::FindWindowSW with SWC_DESKTOP, its top-level browser,
// the active view's background object) gives the shell's automation object, whose
// IShellDispatch2::ShellExecute runs in the shell's process. Where no such shell can be reached
// (an install run as another account, or with no desktop) nothing is started.
//
//   start-as-user.exe "<program>"      exit code 0 once the shell took the command, 1 otherwise
#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlobj.h>

namespace {

// One reference, released when it goes.
template <class Interface>
struct Held {
    Interface* p = nullptr;
    ~Held() {
        if (p)
            p->Release();
    }
    void** out() { return reinterpret_cast<void**>(&p); }
};

bool throughDesktopShell(const wchar_t* program) {
    Held<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.out())))
        return false;
    VARIANT none;
    VariantInit(&none);
    long desktop = 0;
    Held<IDispatch> found;
    Held<IServiceProvider> services;
    Held<IShellBrowser> browser;
    Held<IShellView> view;
    Held<IDispatch> background;
    Held<IShellFolderViewDual> folderView;
    Held<IDispatch> application;
    Held<IShellDispatch2> shell;
    if (windows.p->FindWindowSW(&none, &none, SWC_DESKTOP, &desktop, SWFO_NEEDDISPATCH,
                                reinterpret_cast<IDispatch**>(found.out())) != S_OK ||
        !found.p ||
        FAILED(found.p->QueryInterface(IID_IServiceProvider, services.out())) ||
        FAILED(services.p->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out())) ||
        FAILED(browser.p->QueryActiveShellView(reinterpret_cast<IShellView**>(view.out()))) ||
        FAILED(view.p->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.out())) ||
        FAILED(background.p->QueryInterface(IID_IShellFolderViewDual, folderView.out())) ||
        FAILED(folderView.p->get_Application(reinterpret_cast<IDispatch**>(application.out()))) ||
        FAILED(application.p->QueryInterface(IID_IShellDispatch2, shell.out())))
        return false;
    BSTR file = SysAllocString(program);
    if (!file)
        return false;
    const HRESULT started = shell.p->ShellExecute(file, none, none, none, none);
    SysFreeString(file);
    return SUCCEEDED(started);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return 1;
    bool started = false;
    if (count == 2 && SUCCEEDED(CoInitialize(nullptr))) {
        started = throughDesktopShell(arguments[1]);
        CoUninitialize();
    }
    LocalFree(arguments);
    return started ? 0 : 1;
}
