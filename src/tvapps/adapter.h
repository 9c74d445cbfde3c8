// What each application's adapter gives its record: how it is asked to close, the button map, and
// the commands that are the adapter's own code (shape OWN).
#pragma once

#include "tvapps/app_command.h"

#include <cstddef>

class TvApp;

struct Adapter {
    AppCommand quit;
    const ButtonRow* map = nullptr; // null: no button reaches the application
    std::size_t rows = 0;
    // Carries out one of the adapter's own commands; null when it has none.
    int (*own)(TvApp& app, UINT code) = nullptr;
};

template <std::size_t N>
constexpr Adapter adapterOf(AppCommand quit, const ButtonRow (&map)[N],
                            int (*own)(TvApp&, UINT) = nullptr) {
    return {quit, map, N, own};
}

extern const Adapter POWERVCR_ADAPTER;
extern const Adapter HONESTECH_ADAPTER;
extern const Adapter WINDVD_ADAPTER;
extern const Adapter WINDVR_ADAPTER;
extern const Adapter WINRIP_ADAPTER;
extern const Adapter LUMENTVR_ADAPTER;
