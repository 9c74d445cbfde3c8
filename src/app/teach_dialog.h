// "Teach the remote...": a dialog that sets up the player in front by pressing its buttons. While
// it is open it takes every press in the poll, before the dispatcher (the Shut Down prompt alone
// comes first); Save writes one profile for the chosen program into the profiles file and puts
// it in use at once. One at a time, like the other dialogs. Its controls are teach_view's.
#pragma once

#include "app/press_log.h"
#include "app/program_choices.h"
#include "app/resource_ids.h"
#include "app/single_dialog.h"
#include "profiles/profiles.h"
#include "profiles/teaching.h"
#include "settings/settings_store.h"
#include "tvapps/press_outcome.h"

#include <optional>
#include <string>
#include <vector>

class TeachDialog : public SingleDialog {
public:
    TeachDialog(Profiles& profiles, const PressLog& log, const Settings& settings)
        : SingleDialog(IDD_TEACH), profiles(profiles), log(log), settings(settings) {}

    // Nothing while the profiles have no place; brought to the front while open. Otherwise the
    // programs are listed afresh, the one in front at the last press chosen.
    void open(HINSTANCE instance, HWND owner);
    // Whether the command can do anything: the profiles have a place.
    bool available() { return profiles.filePath()[0] != 0; }
    // A press while the dialog is open: what it did with it (a repeat: nothing, a held button
    // counts once); nothing while the dialog is closed.
    std::optional<PressOutcome> takePress(RemoteButton button, bool repeat);

    const std::vector<ProgramChoice>& programs() const { return choices; }
    int program() const { return chosen; }
    // Another program chosen: its keys, the buttons kept.
    void chooseProgram(int index);
    Teaching& teaching() { return rows; }
    // Writes the taught profile; false (with a box owned by the dialog saying why) when nothing
    // was written, and the dialog stays.
    bool save(HWND dialog);

private:
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    void refuse(HWND dialog, const std::string& why);

    Profiles& profiles;
    const PressLog& log;
    const Settings& settings;
    std::vector<ProgramChoice> choices;
    int chosen = 0;
    Teaching rows;
};
