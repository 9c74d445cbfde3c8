// The poll timer's routine: one reading of the remote-code register, decoded and dispatched.
#pragma once

#include "remote/capture_device.h"
#include "remote/key_decoder.h"

#include <windows.h>

// The repeat state shared by every poll, nested ones included.
extern KeyDecoder RemoteDecoder;
// The capture device that the polls read and the main window opens and closes; kept here until
// the program's start-up creates and hands it on.
extern CaptureDevice RemoteCaptureDevice;

// owner is the window that owns the poll timer; it is handed on to the dispatcher.
void CALLBACK pollCycle(HWND owner, UINT, UINT_PTR, DWORD);
// After a resume from sleep the card's driver may have been restarted, and a key seen before the
// sleep is no held key: the capture device is let go (the next poll opens it afresh) and the
// last key forgotten.
void resumeRemoteInput();
