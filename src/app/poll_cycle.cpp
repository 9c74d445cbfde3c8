#include "app/poll_cycle.h"

#include "app/program.h"

void pollCycle(Program& program) {
    RemoteState& remote = program.remote;
    BOOL readOk = FALSE;
    const DWORD value = program.device.readRegister(REMOTE_CODE_REGISTER, &readOk);
    const KeyPress press =
        remote.decoder.decode({readOk != FALSE, value}, GetTickCount(),
                              program.dispatcher.targetActive(), program.settings.japanMode != 0);
    if (!press.deliver)
        return;
    if (press.freshPress)
        remote.mouse.resetAcceleration();
    const KeyAction action = remote.decoder.startActing();
    program.dispatcher.dispatch(press.button);
    remote.decoder.actedOn(action, GetTickCount());
}

void resumeRemoteInput(Program& program) {
    program.device.close();
    program.remote.decoder.forgetKey();
}

void CALLBACK pollTimerTick(HWND owner, UINT, UINT_PTR, DWORD) {
    if (Program* program = programOf(owner))
        pollCycle(*program);
}

void CALLBACK appWatchTimerTick(HWND owner, UINT, UINT_PTR, DWORD) {
    if (Program* program = programOf(owner))
        program->dispatcher.watchTick();
}
