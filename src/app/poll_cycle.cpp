// One poll of the remote: the remote-code register read, decoded and dispatched.
#include "app/program.h"

void Program::poll() {
    bool readOk = false;
    const DWORD value = device.readRegister(REMOTE_CODE_REGISTER, &readOk);
    const KeyPress press =
        decoder.decode({readOk, value}, GetTickCount(), dispatcher, settings.japanMode);
    if (!press.deliver)
        return;
    if (press.freshPress)
        mouse.resetAcceleration();
    const KeyAction action = decoder.startActing();
    dispatcher.dispatch(press.button);
    decoder.actedOn(action, GetTickCount());
}

void CALLBACK pollTimerTick(HWND owner, UINT, UINT_PTR, DWORD) {
    if (Program* program = programOf(owner))
        program->poll();
}
