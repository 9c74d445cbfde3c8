// The remote monitor: a window that shows, live, the capture filter in use (and a failing read),
// the last presses with the window that was in front and what the program did with each, and the
// counts since start. It opens from the tray menu, at most once, like the other dialogs; the polls
// run inside its modal loop and update it. Ctrl+C (or Copy) copies it as text. Its text is
// monitor_text's; this is the dialog that shows it.
#pragma once

#include "app/press_log.h"
#include "app/resource_ids.h"
#include "app/single_dialog.h"
#include "remote/capture_device.h"
#include "profiles/profiles.h"

#include <string>

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
    // The whole monitor as text, for a bug report.
    std::string copy() const;

private:
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    void onInitDialog(HWND dialog);
    void showCard(HWND dialog);
    void showPresses(HWND dialog);
    void showProfiles(HWND dialog);
    std::string card() const;
    std::string profilesShown() const;

    PressLog& log;
    const CaptureDevice& device;
    Profiles& profiles;        // its file's path is worked out the first time it is asked for
    unsigned shownChanges = 0; // the log's changes the list shows
    unsigned shownLoads = 0;   // the profiles' loads the profiles box shows
    std::string shownCard;
};

// The window in front at a press, looked up now, into the entry.
void describeForeground(PressRecord& entry);
