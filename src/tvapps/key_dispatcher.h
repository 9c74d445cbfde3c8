// Where each decoded button goes: the open Shut Down prompt, the target application, the default
// application, the Shut Down prompt, the first application running, or the mouse emulation. And
// the app watch, which lets go of an application that was started here once its window is gone.
#pragma once

#include "remote/remote_button.h"

#include <windows.h>

class TvApp;

// Set by an adapter's Power toggle when it brought its application up; cleared by the app watch.
extern int watchPowerVcr;
extern int watchWinDvr;
extern int watchHonestech;
extern int watchLumenTvr;

// One decoded button (possibly BUTTON_SUPPRESSED); owner is the window that owns the poll timer.
void dispatchButton(RemoteButton button, HWND owner);
// Quits the other three remote targets, then toggles the default one; other numbers do nothing.
void switchToDefaultApp(int defaultAppNumber);
// 1 while one of the remote targets is active (the dispatcher's target).
int remoteTargetActive();
// The record of the application that a "DefaultTVAPP" number names, or null.
const TvApp* defaultAppRecord(int defaultAppNumber);
// 1 when no window of PowerVCR, WinDVR, honestech TV or LumenTVR exists.
int noTvAppRunning();
// The routine of appWatchTimer; the arguments are not used.
void CALLBACK appWatchTick(HWND, UINT, UINT_PTR, DWORD);
