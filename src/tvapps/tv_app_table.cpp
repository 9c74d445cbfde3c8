#include "tvapps/tv_app_table.h"

#include <iterator>

// Each described in its own file.
extern const TvAppDescription POWERVCR_APP, HONESTECH_APP, WINDVD_APP, WINDVR_APP, WINRIP_APP,
    LUMENTVR_APP;

namespace {

// In the order of AppId.
const TvAppDescription* const TV_APPS[] = {
    &POWERVCR_APP, &HONESTECH_APP, &WINDVD_APP, &WINDVR_APP, &WINRIP_APP, &LUMENTVR_APP,
};
static_assert(std::size(TV_APPS) == APP_COUNT, "one description for every AppId");

} // namespace

const TvAppDescription& describe(AppId app) {
    return *TV_APPS[indexOf(app)];
}

std::optional<AppId> appWithDefaultNumber(int number) {
    for (int i = 0; i < APP_COUNT; ++i)
        if (TV_APPS[i]->defaultNumber != 0 && TV_APPS[i]->defaultNumber == number)
            return static_cast<AppId>(i);
    return std::nullopt;
}

HWND findAppWindow(const AppWindow& window, Match match) {
    return findTopLevel(match, match == Match::CLASS ? window.className : window.title);
}
