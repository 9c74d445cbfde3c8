// The remote as a mouse while no TV application runs: the digit buttons move the pointer in
// eight directions, accelerating while held, and click.
#pragma once

#include "remote/remote_button.h"
#include "tvapps/press_outcome.h"

#include <windows.h>

// The pointer's bounds (exclusive) and the two larger step sizes, in the pixels of 96 DPI.
struct PointerBounds {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    LONG mediumStep;
    LONG largeStep;
};

class MouseEmulation {
public:
    PressOutcome handleButton(RemoteButton button);
    // One step of the pointer in the direction of a digit button laid out like a phone keypad.
    PressOutcome movePointer(RemoteButton direction);
    // A fresh press starts again with one-pixel steps.
    void resetAcceleration() { moveCount = 0; }
    // Releases the primary button that button 5 holds down for dragging; nothing when none is.
    void letGoOfPrimary();

    // The main window fills it when it is created and when the display mode changes; all zero
    // until then.
    PointerBounds area = {};
    bool primaryHeld = false; // button 5 has pressed the primary mouse button, not released it
    int moveCount = 0;        // pointer moves in the current run of one held button

private:
    void click(DWORD downFlag, DWORD upFlag);
    PressOutcome togglePrimaryButton();
};
