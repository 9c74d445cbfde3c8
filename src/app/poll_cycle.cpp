// One poll of the remote: the remote-code register read, decoded and dispatched, and what came of
// it kept for the remote monitor.
#include "app/program.h"

unsigned Program::recordPress(DWORD value, RemoteButton button) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const unsigned press = presses.add(value & RAW_CODE_MASK, button, GetForegroundWindow(), now);
    shell.monitor.pressRecorded(press);
    return press;
}

// The open Shut Down prompt is answered as ever; otherwise an open teaching dialog takes the press,
// and else the dispatcher has it.
PressOutcome Program::act(const KeyPress& press) {
    if (!shell.shutdownPromptOpen())
        if (const std::optional<PressOutcome> taken =
                shell.teach.takePress(press.button, press.repeat))
            return *taken;
    return dispatcher.dispatch(press.button, {press.repeat, press.pressStarted});
}

void Program::poll() {
    bool readOk = false;
    const DWORD value = device.readRegister(REMOTE_CODE_REGISTER, &readOk);
    presses.countRead(readOk);
    const KeyPress press =
        decoder.decode({readOk, value}, GetTickCount(), dispatcher, settings.japanMode);
    if (press.freshPress || press.repeat) {
        const unsigned record = press.repeat ? presses.newest() : recordPress(value, press.button);
        if (!press.deliver) {
            presses.heldBack(record);
        } else {
            if (press.freshPress)
                mouse.resetAcceleration();
            const KeyAction action = decoder.startActing();
            presses.startAction(record);
            const PressOutcome outcome = act(press);
            presses.finish(record, outcome, press.repeat);
            decoder.actedOn(action, GetTickCount());
            // A box about the profiles file comes after the press it arose from, never before.
            profiles.showProblems();
        }
    }
    // After the press has reached its application.
    shell.monitor.update();
}

void CALLBACK pollTimerTick(HWND owner, UINT, UINT_PTR, DWORD) {
    if (Program* program = programOf(owner))
        program->poll();
}
