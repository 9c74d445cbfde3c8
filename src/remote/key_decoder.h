// Turns the remote-code register into buttons: raw-code translation and the held-key repeat rule.
#pragma once

#include "remote/remote_button.h"

#include <windows.h>

// Bit 6 of the remote-code register set: no key is being received.
constexpr DWORD NO_KEY_BIT = 0x40;
// With bit 6 clear, bits 0 to 5 are the raw code.
constexpr DWORD RAW_CODE_MASK = 0x3F;
// The same button seen again within this time is a repeat of a held button.
constexpr DWORD REPEAT_WINDOW_MS = 250;
// While an application is the target, only every tenth repeat is delivered.
constexpr int REPEAT_DIVISOR = 10;

// The button of a raw code outside Japan mode; codes without a button give BUTTON_NONE.
RemoteButton translateRawCode(DWORD rawCode);

// What one poll hands on to the dispatcher.
struct KeyPress {
    bool deliver;        // false: nothing is dispatched for this poll
    RemoteButton button; // the button, or BUTTON_SUPPRESSED for a held-back repeat
    bool freshPress;     // a new press, not a repeat: mouse acceleration starts again
};

// One register reading, as the poll got it.
struct RegisterReading {
    bool readOk; // a failed read is never decoded
    DWORD value;
};

// The repeat state lives between polls; nested polls share it.
class KeyDecoder {
public:
    KeyPress decode(const RegisterReading& reading, DWORD now, bool targetActive, bool japanMode);
    // Readings decoded so far; a poll notes it before it acts on its button.
    unsigned readingsDecoded() const { return readings; }
    // The poll that decoded reading number `reading` has acted on its button, at `now`. When no
    // other reading came in meanwhile, the thread was busy (starting an application waits until
    // it is ready) and nothing could look at the register: the button counts as seen until now,
    // so a hold that outlasts the action stays one press. A nested poll's reading has shown what
    // happened instead, and is left to stand.
    void actedOn(unsigned reading, DWORD now);
    // Forgets the last key, so that the next one is a new press whenever it comes.
    void forgetKey();

private:
    RemoteButton lastButton = 0;
    DWORD lastKeyTick = 0;
    int repeating = 0;
    int repeatCount = 0;
    unsigned readings = 0;
};
