#include "app/teach_dialog.h"

#include "app/common_controls.h"
#include "app/teach_view.h"
#include "profiles/profile_edit.h"
#include "profiles/profile_editor.h"
#include "settings/program_text.h"
#include "win32/file_replace.h"
#include "win32/unicode_text.h"
#include "win32/wide_calls.h"

namespace {

bool asUtf8(std::string_view text, std::string& encoded) {
    encoded = text;
    return true;
}

const KnownPlayer* playerOf(const std::vector<ProgramChoice>& choices, int chosen) {
    return chosen < static_cast<int>(choices.size()) ? knownPlayer(choices[chosen].window.exe)
                                                     : nullptr;
}

} // namespace

void TeachDialog::open(HINSTANCE instance, HWND owner) {
    if (!available())
        return;
    if (!isOpen()) {
        choices = programChoices(visibleTopLevelWindows());
        HWND front = log.newest() ? log.newestFirst(0).foreground : nullptr;
        chosen = preselected(choices, describeWindow(front),
                             describeWindow(front ? GetWindow(front, GW_OWNER) : nullptr));
        rows = Teaching{};
        rows.useKeysOf(playerOf(choices, chosen));
    }
    loadListViewClass();
    show(instance, owner);
}

void TeachDialog::chooseProgram(int index) {
    chosen = index;
    rows.useKeysOf(playerOf(choices, chosen));
}

std::optional<PressOutcome> TeachDialog::takePress(RemoteButton button, bool repeat) {
    if (!isOpen())
        return std::nullopt;
    if (repeat)
        return PressOutcome{};
    const int row = rows.selected();
    PressOutcome outcome{Actor::TEACH, Result::NOTHING};
    switch (rows.press(button, settings.japanMode)) {
    case TeachPress::TAUGHT:
        outcome.result = Result::TAUGHT;
        outcome.action = TAUGHT_ACTION_NAMES[row];
        break;
    case TeachPress::REFUSED:
        outcome.result = Result::REFUSED;
        break;
    case TeachPress::NO_ROW:
        break;
    }
    if (window())
        teachViewRefresh(*this, window());
    return outcome;
}

void TeachDialog::refuse(HWND dialog, const std::string& why) {
    showMessageBox(dialog,
                   "The remote profiles in\n" + utf8FromAnsi(profiles.filePath()) + "\n" + why,
                   PROGRAM_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

bool TeachDialog::save(HWND dialog) {
    if (chosen >= static_cast<int>(choices.size()) || !rows.canSave())
        return false;
    const ProgramChoice& program = choices[chosen];
    const KnownPlayer* player = knownPlayer(program.window.exe);
    const TaughtProfile taught{player ? player->name : program.window.exe, program.window.exe,
                               rows.taught()};
    // Read again: the file may have been changed since the dialog opened.
    std::string bytes;
    std::string problem;
    ProfileFile& file = profiles.profileFile();
    switch (file.readForEdit(bytes, problem)) {
    case ProfileFile::Bytes::REFUSED:
        refuse(dialog, "are not changed: " + problem + ".");
        return false;
    case ProfileFile::Bytes::NONE:
        bytes = PROFILES_EXPLANATION; // a new file, as Edit would make it
        createProfilesFolder(file.path());
        break;
    case ProfileFile::Bytes::READ:
        break;
    }
    const bool utf8 = isUtf8(bytes);
    const ProfileSet before = parseProfiles(profileText(bytes), settings.japanMode);
    std::string after;
    if (!addTaughtProfile(bytes, before, program.window, program.owner, taught,
                          utf8 ? asUtf8 : ansiFromUtf8, after)) {
        refuse(dialog, "are not changed: they are saved in the ANSI code page, which cannot hold "
                       "the name of the program. Save the file as UTF-8 in Notepad first.");
        return false;
    }
    if (const DWORD error = replaceFile(file.path(), after)) {
        refuse(dialog, "could not be saved: " + systemErrorText(error) + ".");
        return false;
    }
    profiles.adopt(parseProfiles(profileText(after), settings.japanMode));
    return true;
}

INT_PTR TeachDialog::onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return teachViewMessage(*this, dialog, message, wParam, lParam);
}
