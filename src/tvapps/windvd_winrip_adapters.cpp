// InterVideo WinDVD 4 and InterVideo WinRip: not remote targets. The main window's commands
// close them and bring them up; both close on a posted 'X'.
#include "tvapps/adapter.h"

namespace {

constexpr AppCommand CLOSE_KEY = postKey('X', keyLParam(0x2D));

} // namespace

const Adapter WINDVD_ADAPTER = {CLOSE_KEY};
const Adapter WINRIP_ADAPTER = {CLOSE_KEY};
