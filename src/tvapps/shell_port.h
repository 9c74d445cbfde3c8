// What the key dispatcher asks of the application shell, which owns the Shut Down prompt and the
// program's timers.
#pragma once

class ShellPort {
public:
    // From the moment the prompt is asked for until it is answered.
    virtual bool shutdownPromptOpen() const = 0;
    // Brings the open prompt to the front and answers it: Return to shut down, Escape to cancel.
    virtual void answerShutdownPrompt(bool shutDown) = 0;
    // Shows the prompt modally; returns once it has closed.
    virtual void showShutdownPrompt() = 0;
    // The app watch's timer; starting it while it runs changes nothing.
    virtual void startAppWatch() = 0;
    virtual void stopAppWatch() = 0;

protected:
    ~ShellPort() = default;
};
