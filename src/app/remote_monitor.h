// The remote monitor: a window that shows, live, the capture filter in use (and a failing read),
// the last presses with the window that was in front and what the program did with each, and the
// counts since start. It opens from the tray menu, at most once, like the other dialogs; the polls
// run inside its modal loop and update it. Ctrl+C (or Copy) copies it as text.
#pragma once

#include "app/press_log.h"
#include "app/press_words.h"
#include "app/resource_ids.h"
#include "app/single_dialog.h"
#include "remote/capture_device.h"
#include "tvapps/profiles.h"

constexpr int CARD_TEXT_SIZE = 192;

class RemoteMonitor : public SingleDialog {
public:
    RemoteMonitor(PressLog& log, const CaptureDevice& device, Profiles& profiles)
        : SingleDialog(IDD_MONITOR), log(log), device(device), profiles(profiles) {}

    // Shows the monitor, as SingleDialog::show does, once its list's window class is there.
    void open(HINSTANCE instance, HWND owner);
    // A press was just recorded: while the monitor is open, the window in front is looked up.
    void pressRecorded(unsigned press);
    // After a poll: shows what changed. Nothing happens while it is closed.
    void update();
    // The whole monitor as text, for a bug report: the card, the counts and the presses in
    // aligned columns. Returns the length written, without the terminator.
    std::size_t copyText(char* text, std::size_t size) const;

private:
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    void onInitDialog(HWND dialog);
    void showCard(HWND dialog);
    void showCounts(HWND dialog);
    void showPresses(HWND dialog);
    void showProfiles(HWND dialog);
    std::string profilesText() const;
    void copyToClipboard(HWND dialog) const;
    void formatCard(char (&text)[CARD_TEXT_SIZE]) const;
    void cellText(int row, int column, char (&text)[WORDS_SIZE]) const;

    PressLog& log;
    const CaptureDevice& device;
    Profiles& profiles;        // its file's path is worked out the first time it is asked for
    unsigned shownChanges = 0; // the log's changes the list shows
    unsigned shownLoads = 0;   // the profiles' loads the profiles box shows
    char shownCard[CARD_TEXT_SIZE] = "";
};

// The window in front at a press, looked up now.
void describeWindow(HWND window, WindowFacts& facts);
