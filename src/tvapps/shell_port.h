// What the key dispatcher asks of the application shell, which owns the Shut Down prompt.
#pragma once

class ShellPort {
public:
    // From the moment the prompt is asked for until it is answered.
    virtual bool shutdownPromptOpen() const = 0;
    // Brings the open prompt to the front and answers it: Return to shut down, Escape to cancel.
    virtual void answerShutdownPrompt(bool shutDown) = 0;
    // Shows the prompt modally; returns once it has closed: whether the computer is being shut
    // down.
    virtual bool showShutdownPrompt() = 0;

protected:
    ~ShellPort() = default;
};
