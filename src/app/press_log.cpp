#include "app/press_log.h"

void PressLog::countRead(bool succeeded) {
    ++reads;
    if (!succeeded)
        ++failedReads;
}

unsigned PressLog::add(DWORD rawCode, RemoteButton button, HWND foreground,
                       const SYSTEMTIME& time) {
    ++serial;
    PressRecord& entry = ring[serial % PRESS_LOG_SIZE];
    entry = PressRecord{};
    entry.serial = serial;
    entry.time = time;
    entry.rawCode = rawCode;
    entry.button = button;
    entry.foreground = foreground;
    ++changes;
    return serial;
}

PressRecord* PressLog::find(unsigned press) {
    PressRecord& entry = ring[press % PRESS_LOG_SIZE];
    return press != 0 && entry.serial == press ? &entry : nullptr;
}

void PressLog::startAction(unsigned press) {
    if (PressRecord* entry = find(press)) {
        ++entry->pending;
        ++changes;
    }
}

void PressLog::finish(unsigned press, const PressOutcome& outcome, bool repeat) {
    PressRecord* entry = find(press);
    if (!entry)
        return; // a press storm inside the action's modal loop made room for newer ones
    if (entry->pending > 0)
        --entry->pending;
    if (!repeat)
        entry->outcome = outcome;
    else if (outcome.actor == Actor::NOBODY)
        ++entry->repeatsHeldBack;
    else {
        ++entry->repeatsActed;
        entry->outcome = outcome;
    }
    ++changes;
}

void PressLog::heldBack(unsigned press) {
    if (PressRecord* entry = find(press)) {
        ++entry->repeatsHeldBack;
        ++changes;
    }
}

const PressRecord& PressLog::newestFirst(int at) const {
    return ring[(serial - static_cast<unsigned>(at)) % PRESS_LOG_SIZE];
}
