// Checks that several of the program's end-to-end tests share, each returning an assertion
// result that explains what it saw.
#pragma once

#include "program/foreign_windows.h"
#include "program/program_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// At the program's end (its window's WM_DESTROY, or the process ending with the window still
// there) the shell held no icon for the window. The probe asks the shell while the window still
// exists, which a check from outside after the end cannot do under Wine (see the probe).
::testing::AssertionResult iconGoneBeforeTheWindow(const ProgramRun& run);

// The probe's "create" lines, less the input method window that the system gives every thread
// that makes a window.
std::vector<std::string> windowsCreated(const ProgramRun& run);
// The probe saw the program's hidden window being shown at some time.
bool programWindowShown(const ProgramRun& run);

// The tray shows one icon, and the shell holds it for the program's window.
::testing::AssertionResult iconShownFor(const ProgramRun& run, DWORD timeoutMs = 5000);

// The text that an icon control shows to other processes: its icon's resource ordinal, U+FFFF
// and the ordinal, which the common controls' Unicode static (version 6, as the manifest asks)
// gives an ANSI reader as "?" followed by the ordinal's low byte.
std::string iconControlText(int iconId);

// Template controls as the tests expect them: kind, id (0xFFFF for -1), text, the style bits
// that must be set, and position and size in dialog units.
struct ExpectedControl {
    const char* kind;
    int id;
    std::string text;
    DWORD style;
    int x, y, cx, cy;
};
// The dialog has exactly these controls, in this order, laid out as the template says: each
// control's pixel rectangle matches its dialog units scaled by the same factors that scale the
// template's client size (`cx` by `cy` dialog units) to the dialog's client area.
::testing::AssertionResult hasTemplateControls(HWND dialog, int cx, int cy,
                                               const std::vector<ExpectedControl>& expected);

// Where the program places its dialogs on a 1024-pixel wide screen, as a topmost window.
::testing::AssertionResult placedForTheScreen(HWND dialog);

// The popup menu windows that the program shows now.
std::vector<HWND> programMenus(const ProgramRun& run);
// Right-clicks the program's icon and waits for its menu: the menu window, or null when the click
// could not be delivered or no menu came.
HWND openTrayMenu(const ProgramRun& run);
// The probe's record of the last menu shown: its header line, then one line per item.
std::vector<std::string> lastMenuSeen(const ProgramRun& run);
