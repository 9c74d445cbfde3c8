// The records of the supported applications, one per row of the table, built at start-up in the
// table's order (each reads its install path from the registry as it is built).
#pragma once

#include "tvapps/tv_app.h"

#include <utility>

class TvApps {
public:
    explicit TvApps(NoticeBox& notices) : TvApps(notices, std::make_index_sequence<APP_COUNT>{}) {}
    TvApps(const TvApps&) = delete;
    TvApps& operator=(const TvApps&) = delete;

    TvApp& operator[](AppId app) { return records[indexOf(app)]; }
    const TvApp& operator[](AppId app) const { return records[indexOf(app)]; }
    TvApp* begin() { return records; }
    TvApp* end() { return records + APP_COUNT; }
    // The application with that "DefaultTVAPP" number; null for a number that names none.
    TvApp* withDefaultNumber(int number);

private:
    // Array elements are built in order: the registry is read in the table's order.
    template <std::size_t... I>
    TvApps(NoticeBox& notices, std::index_sequence<I...>) : records{{TV_APPS[I], notices}...} {}

    TvApp records[APP_COUNT];
};
