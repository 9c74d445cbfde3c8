#include "tvapps/tv_apps.h"

TvApp* TvApps::withDefaultNumber(int number) {
    const TvAppRow* row = rowWithDefaultNumber(number);
    return row ? &(*this)[row->app] : nullptr;
}
