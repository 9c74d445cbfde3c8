// The supported TV applications and the orders in which the program takes them. Each application
// is described in its own file (apps/); every list of applications in the program is one of the
// named lists here, or names the applications itself.
#pragma once

#include "tvapps/tv_app_description.h"

#include <initializer_list>
#include <optional>

// The applications, in the order their records are built (and their install paths read).
enum class AppId : unsigned char { POWERVCR, HONESTECH, WINDVD, WINDVR, WINRIP, LUMENTVR };
constexpr int APP_COUNT = 6;

constexpr int indexOf(AppId app) {
    return static_cast<int>(app);
}

// A few applications, in a given order.
class AppList {
public:
    constexpr AppList(std::initializer_list<AppId> list) {
        for (AppId app : list)
            if (count < APP_COUNT)
                apps[count++] = app;
    }
    constexpr const AppId* begin() const { return apps; }
    constexpr const AppId* end() const { return apps + count; }
    constexpr bool contains(AppId app) const {
        for (AppId listed : *this)
            if (listed == app)
                return true;
        return false;
    }

private:
    AppId apps[APP_COUNT] = {};
    int count = 0;
};

// The remote's targets, in precedence: with several of them the target, the first one is. The app
// watch looks after them in this order too.
inline constexpr AppList TARGET_PRECEDENCE = {AppId::POWERVCR, AppId::WINDVR, AppId::HONESTECH,
                                              AppId::LUMENTVR};
// With no target, the first of these found running becomes the target.
inline constexpr AppList SEARCH_WITHOUT_TARGET = {AppId::LUMENTVR, AppId::POWERVCR, AppId::WINDVR,
                                                  AppId::HONESTECH};
// Power, switching to the default application, first asks the others of these to close.
inline constexpr AppList CLOSED_BEFORE_SWITCHING = {AppId::WINDVR, AppId::POWERVCR,
                                                    AppId::HONESTECH, AppId::LUMENTVR};
// The Setting dialog's list (each while it is installed).
inline constexpr AppList SETTING_LIST = {AppId::WINDVR, AppId::POWERVCR, AppId::HONESTECH,
                                         AppId::LUMENTVR};
// The tray menu's entries (each while it is installed).
inline constexpr AppList TRAY_MENU = {AppId::LUMENTVR};

const TvAppDescription& describe(AppId app);
// The application with that "DefaultTVAPP" number; none for a number that names none.
std::optional<AppId> appWithDefaultNumber(int number);
