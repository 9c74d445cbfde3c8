// One poll of the remote: the remote-code register read, decoded and dispatched.
#pragma once

class Program;

void pollCycle(Program& program);
// After a resume from sleep the card's driver may have been restarted, and a key seen before the
// sleep is no held key: the capture device is let go (the next poll opens it afresh) and the
// last key forgotten.
void resumeRemoteInput(Program& program);
