// InterVideo WinDVD 4: no target of the remote. The main window's commands close it and bring it
// up; a posted 'X' to the first child of its main window closes it.
#include "tvapps/tv_app_description.h"

extern const TvAppDescription WINDVD_APP;
const TvAppDescription WINDVD_APP = {
    .name = "WinDVD",
    .productName = "InterVideo WinDVD 4",
    .label = "WinDVD 4",
    .install = {"Software\\InterVideo\\WinDVD4", "PATH", "WINDVD.EXE"},
    .window = {.title = "InterVideo WinDVD 4",
               .launch = Match::TITLE_START,
               .commands = Match::CHILD_OF_TITLE_EXACT,
               .quit = Match::CHILD_OF_TITLE_EXACT},
    .quit = postKey('X', keyLParam(0x2D)),
};
