// The six application records and the program's two timers, defined in one file because static
// initialisation builds them in the order of their definitions only within a file: the records
// read their install paths while they are built, and the timers come between the last two, as
// the program has always built them.
#include "app/window_timer.h"
#include "remote/poll_cycle.h"
#include "tvapps/honestech_adapter.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/lumentvr_adapter.h"
#include "tvapps/powervcr_adapter.h"
#include "tvapps/windvd_winrip_adapters.h"
#include "tvapps/windvr_adapter.h"

PowerVcrAdapter PowerVcrApp(SUPPORTED_APPS[POWERVCR]);
HonestechAdapter HonestechApp(SUPPORTED_APPS[HONESTECH]);
WinDvdAdapter WinDvdApp(SUPPORTED_APPS[WINDVD]);
WinDvrAdapter WinDvrApp(SUPPORTED_APPS[WINDVR]);
WinRipAdapter WinRipApp(SUPPORTED_APPS[WINRIP]);
WindowTimer pollTimer(POLL_TIMER_ID, pollCycle);
WindowTimer appWatchTimer(APP_WATCH_TIMER_ID, appWatchTick);
LumenTvrAdapter LumenTvrApp(SUPPORTED_APPS[LUMENTVR]);
