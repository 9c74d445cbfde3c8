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
    bool repeat;         // the held button seen again, whether or not it is delivered
    DWORD pressStarted;  // the tick at which the button's press began
};

// One register reading, as the poll got it.
struct RegisterReading {
    bool readOk; // a failed read is never decoded
    DWORD value;
};

// What the repeat rule asks of whatever acts on the buttons.
class RepeatTarget {
public:
    // An application is the remote's target: only every tenth repeat of a held button reaches it.
    virtual bool targetActive() const = 0;
    // The target takes the button as a command of its own (LumenTVR's 20 and 21): its repeats
    // reach the target as every other command's do, instead of the button acting once per press.
    virtual bool targetTakes(RemoteButton button) const = 0;

protected:
    ~RepeatTarget() = default;
};

// What a poll notes before it acts on the button it decoded, for KeyDecoder::actedOn.
struct KeyAction {
    unsigned reading; // the poll's own reading
    unsigned outer;   // the reading of the poll it runs nested in, if that one is acting; 0 if not
};

// The repeat state lives between polls; nested polls share it.
//
// While a poll acts on its button the thread is busy (starting an application waits until it is
// ready; a dialog takes a while to show before the polls inside its modal loop run), and nothing
// looks at the register: the button counts as seen for as long as that lasts, so a hold that
// outlasts the action stays one press. The first reading after the busy time, nested or not, is
// compared with the time it ended; a nested poll's own reading stands for what it saw.
class KeyDecoder {
public:
    KeyPress decode(const RegisterReading& reading, DWORD now, const RepeatTarget& target,
                    bool japanMode);
    // A poll is about to act on the button of the last reading.
    KeyAction startActing();
    // That poll has acted on it, at `now`.
    void actedOn(const KeyAction& action, DWORD now);
    // Forgets the last key, so that the next one is a new press whenever it comes.
    void forgetKey();

private:
    RemoteButton lastButton = 0;
    DWORD lastKeyTick = 0;
    DWORD pressStarted = 0;
    bool repeating = false;
    int repeatCount = 0;
    unsigned readings = 0;
    unsigned acting = 0; // the reading whose poll is acting now; 0 when none is
};
