#include "remote/poll_cycle.h"

#include "settings/settings_store.h"
#include "tvapps/key_dispatcher.h"
#include "tvapps/mouse_emulator.h"

KeyDecoder RemoteDecoder;
CaptureDevice RemoteCaptureDevice;

void CALLBACK pollCycle(HWND owner, UINT, UINT_PTR, DWORD) {
    BOOL readOk = FALSE;
    const DWORD value = RemoteCaptureDevice.readRegister(REMOTE_CODE_REGISTER, &readOk);
    const KeyPress press = RemoteDecoder.decode({readOk != FALSE, value}, GetTickCount(),
                                                remoteTargetActive() != 0, japanMode != 0);
    if (!press.deliver)
        return;
    if (press.freshPress)
        MouseEmulator.resetAcceleration();
    const unsigned reading = RemoteDecoder.readingsDecoded();
    dispatchButton(press.button, owner);
    RemoteDecoder.actedOn(reading, GetTickCount());
}

void resumeRemoteInput() {
    // Only a device that is held is closed, so COM's count of opens and closes stays even.
    if (RemoteCaptureDevice.isOpen())
        RemoteCaptureDevice.close();
    RemoteDecoder.forgetKey();
}
