#include "app/common_controls.h"

#include <windows.h>

#include <commctrl.h>

#include "win32/wide_calls.h"

void loadListViewClass() {
    static bool loaded = false; // once for the process, as the library is
    if (loaded)
        return;
    loaded = true;
    HMODULE controls = LoadLibraryA("comctl32.dll");
    using Initialise = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    FARPROC found = controls ? GetProcAddress(controls, "InitCommonControlsEx") : nullptr;
    const auto initialise = reinterpret_cast<Initialise>(reinterpret_cast<void*>(found));
    const INITCOMMONCONTROLSEX wanted{sizeof wanted, ICC_LISTVIEW_CLASSES};
    // Without it the dialog cannot be made, and showing it fails harmlessly.
    if (initialise)
        initialise(&wanted);
}

int columnWidthFor(HWND list, std::string_view text) {
    return listTextWidth(list, text) + listTextWidth(list, "WW");
}
