#include "remote/poll_cycle.h"

#include "remote/capture_device.h"
#include "settings/settings_store.h"
#include "tvapps/honestech_adapter.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/lumentvr_adapter.h"
#include "tvapps/mouse_emulator.h"
#include "tvapps/powervcr_adapter.h"
#include "tvapps/windvr_adapter.h"

KeyDecoder RemoteDecoder;

namespace {

// While a TV application is the target, held buttons are thinned out.
bool targetActive() {
    return PowerVcrApp.active == 1 || WinDvrApp.active == 1 || HonestechApp.active == 1 ||
           LumenTvrApp.active == 1;
}

} // namespace

void CALLBACK pollCycle(HWND owner, UINT, UINT_PTR, DWORD) {
    BOOL readOk = FALSE;
    const DWORD value = readChipRegister(REMOTE_CODE_REGISTER, &readOk);
    const KeyPress press = RemoteDecoder.decode({readOk != FALSE, value}, GetTickCount(),
                                                targetActive(), japanMode != 0);
    if (!press.deliver)
        return;
    if (press.freshPress)
        MouseEmulator.resetAcceleration();
    const unsigned reading = RemoteDecoder.readingsDecoded();
    dispatchButton(press.button, owner);
    RemoteDecoder.actedOn(reading, GetTickCount());
}
