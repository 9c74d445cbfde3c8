// The records of the supported applications, built at start-up in the order of AppId (each reads
// its install path from the registry as it is built).
#pragma once

#include "tvapps/tv_app.h"

#include <utility>

class TvApps {
public:
    explicit TvApps(MessageBoxGuard& boxes)
        : TvApps(boxes, std::make_index_sequence<APP_COUNT>{}) {}
    TvApps(const TvApps&) = delete;
    TvApps& operator=(const TvApps&) = delete;

    TvApp& operator[](AppId app) { return records[indexOf(app)]; }
    const TvApp& operator[](AppId app) const { return records[indexOf(app)]; }
    TvApp* begin() { return records; }
    TvApp* end() { return records + APP_COUNT; }
    const TvApp* begin() const { return records; }
    const TvApp* end() const { return records + APP_COUNT; }

private:
    // Array elements are built in order: the registry is read in the order of AppId.
    template <std::size_t... I>
    TvApps(MessageBoxGuard& boxes, std::index_sequence<I...>)
        : records{{static_cast<AppId>(I), boxes}...} {}

    TvApp records[APP_COUNT];
};
