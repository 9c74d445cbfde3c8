#include "win32/later_calls.h"

namespace {

template <class Function>
void lookUp(HMODULE module, const char* name, Function*& function) {
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    function = reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
}

LaterCalls lookUpAll() {
    LaterCalls calls{};
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    lookUp(kernel, "QueryFullProcessImageNameW", calls.queryFullProcessImageName);
    lookUp(kernel, "CreateToolhelp32Snapshot", calls.createToolhelp32Snapshot);
    lookUp(kernel, "Process32First", calls.process32First);
    lookUp(kernel, "Process32Next", calls.process32Next);
    HMODULE user = GetModuleHandleA("user32.dll");
    lookUp(user, "SendInput", calls.sendInput);
    lookUp(user, "GetDpiForSystem", calls.getDpiForSystem);
    lookUp(user, "GetDpiForWindow", calls.getDpiForWindow);
    lookUp(user, "GetSystemMetricsForDpi", calls.getSystemMetricsForDpi);
    return calls;
}

} // namespace

const LaterCalls& laterCalls() {
    static const LaterCalls calls = lookUpAll();
    return calls;
}
