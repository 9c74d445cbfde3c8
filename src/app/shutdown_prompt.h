// The Shut Down prompt that the remote answers: Power shuts the computer down, any other key
// cancels.
#pragma once

#include "app/resource_ids.h"
#include "app/single_dialog.h"

class ShutdownPrompt : public SingleDialog {
public:
    ShutdownPrompt() : SingleDialog(IDD_SHUTDOWN) {}

    // Shows the prompt modally and returns its end value once it has closed.
    INT_PTR ask(HINSTANCE instance, HWND owner);
    // From the moment the prompt is asked for until it is answered.
    bool waiting() const { return waitingForAnswer; }
    // Brings the prompt to the front and sends it Return (shut down) or Escape (cancel), as the
    // remote's keys.
    void answer(bool shutDown);

private:
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR end(HWND dialog, INT_PTR endValue, bool shutDown);

    bool waitingForAnswer = false;
};
