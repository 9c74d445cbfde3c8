#include "tvapps/lumentvr_adapter.h"

#include "settings/settings_store.h"
#include "tvapps/key_dispatcher.h"

namespace {

constexpr const char* MAIN_WINDOW_CLASS = "LUMEN_TVR";

struct CommandRow {
    RemoteButton button;
    WPARAM normal;
    WPARAM japan;
};

// Button 18 and buttons 20 and 21 are the dispatcher's own; other codes do nothing. The ids from
// 10000 up are one group: 10000 + n.
constexpr CommandRow COMMAND_MAP[] = {
    // button  normal   Japan mode
    {0, 10000, 10010},
    {1, 10001, 10001},
    {2, 10002, 10002},
    {3, 10003, 10003},
    {4, 10004, 10004},
    {5, 10005, 10005},
    {6, 10006, 10006},
    {7, 10007, 10007},
    {8, 10008, 10008},
    {9, 10009, 10009},
    {10, 10100, 10011},
    {11, 206, 206},
    {12, 4004, 4004},
    {13, 1001, 1001},
    {14, 1002, 1002},
    {15, 200, 200},
    {16, 403, 403},
    {17, 3, 3},
    {19, 300, 300},
    {22, 3001, 3001},
    {23, 4003, 10012},
    {24, 5, 5},
    {25, 8, 1003},
    {26, 4001, 4001},
    {27, 401, 401},
    {28, 1003, 8},
    {29, 1000, 1000},
    {30, 4002, 4002},
    {31, 402, 402},
    {BUTTON_256, 5002, 5002},
    {BUTTON_512, 5003, 5003},
};

const CommandRow* rowFor(RemoteButton button) {
    for (const CommandRow& row : COMMAND_MAP)
        if (row.button == button)
            return &row;
    return nullptr;
}

} // namespace

HWND LumenTvrAdapter::findWindow() {
    return FindWindowExA(GetDesktopWindow(), nullptr, MAIN_WINDOW_CLASS, nullptr);
}

BOOL LumenTvrAdapter::postCommand(WPARAM id) {
    return postMessage(findWindow(), LUMENTVR_COMMAND_MESSAGE, id);
}

BOOL LumenTvrAdapter::quit() {
    HWND found = findWindow();
    if (!found)
        return 0;
    const BOOL posted = PostMessageA(found, LUMENTVR_COMMAND_MESSAGE, LUMENTVR_CLOSE, 0);
    active = 0; // whatever the post returned
    return posted;
}

int LumenTvrAdapter::togglePower() {
    return togglePowerOf(*this, watchLumenTvr);
}

int LumenTvrAdapter::handleButton(RemoteButton button) {
    const CommandRow* row = rowFor(button);
    if (!row)
        return 0;
    return postCommand(japanMode ? row->japan : row->normal);
}
