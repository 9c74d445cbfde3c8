// The last presses of the remote and the counts since start, kept for the remote monitor whether
// or not it is open. Keeping them formats nothing and touches no window: a fixed ring of entries,
// the newest overwriting the oldest.
#pragma once

#include "remote/remote_button.h"
#include "tvapps/press_outcome.h"
#include "win32/window_description.h"

#include <windows.h>

constexpr int PRESS_LOG_SIZE = 20;

struct PressRecord {
    unsigned serial = 0; // 1, 2, 3 … in the order of the presses
    SYSTEMTIME time = {};
    DWORD rawCode = 0;
    RemoteButton button = 0;
    HWND foreground = nullptr;
    // The window in front, looked up only while the monitor is open, or when it opens.
    bool windowKnown = false;
    WindowDescription window;
    PressOutcome outcome; // of the press, or of its last repeat that was acted on
    // Actions on it that have not returned yet: the press's own, waiting in a box, and a repeat's
    // acted on in that box's modal loop.
    unsigned pending = 0;
    unsigned repeatsActed = 0;
    unsigned repeatsHeldBack = 0;
};

class PressLog {
public:
    // A register read: failed or not.
    void countRead(bool succeeded);
    // A new press; the oldest entry makes room for it. Returns its serial.
    unsigned add(DWORD rawCode, RemoteButton button, HWND foreground, const SYSTEMTIME& time);
    // The serial of the newest press (0 when there is none): a repeat belongs to it.
    unsigned newest() const { return serial; }
    // The press (or a repeat of it) is being acted on.
    void startAction(unsigned press);
    // The action returned. A repeat that nobody acted on counts as held back.
    void finish(unsigned press, const PressOutcome& outcome, bool repeat);
    // A repeat of the press that was not delivered.
    void heldBack(unsigned press);
    // The entry of that press while the ring still holds it; null once it has made room.
    PressRecord* find(unsigned press);

    // The entries, newest first: `at` runs from 0 to entries() - 1.
    int entries() const {
        return serial < PRESS_LOG_SIZE ? static_cast<int>(serial) : PRESS_LOG_SIZE;
    }
    const PressRecord& newestFirst(int at) const;

    unsigned reads = 0;
    unsigned failedReads = 0;
    // Changes whenever an entry changes.
    unsigned changes = 0;

private:
    PressRecord ring[PRESS_LOG_SIZE];
    unsigned serial = 0; // of the newest press; presses counted since start
};
