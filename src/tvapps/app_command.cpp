#include "tvapps/app_command.h"

AppCommand commandFor(const ButtonRow* map, std::size_t rows, RemoteButton button, bool japan) {
    for (std::size_t i = 0; i < rows; ++i)
        if (map[i].button == button)
            return japan ? map[i].japan : map[i].normal;
    return NOTHING;
}
