// InterVideo WinRip: no target of the remote. The main window's commands close it and bring it up;
// a posted 'X' closes it. Any title that contains its name is taken for it.
#include "tvapps/tv_app_description.h"

extern const TvAppDescription WINRIP_APP;
const TvAppDescription WINRIP_APP = {
    .name = "WinRip",
    .productName = "InterVideo WinRip",
    .label = "WinRip",
    .install = {"Software\\InterVideo\\WinRip", "PATH", "WINRIP.EXE"},
    .window = {.title = "WinRip",
               .launch = Match::TITLE_START,
               .commands = Match::TITLE_CONTAINS,
               .quit = Match::TITLE_CONTAINS},
    .quit = postKey('X', keyLParam(0x2D)),
};
