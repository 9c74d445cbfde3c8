#include "app/program_choices.h"

#include "tvapps/tv_app_table.h"
#include "win32/letter_case.h"

namespace {

bool isTvApp(const std::string& exe) {
    for (int app = 0; app < APP_COUNT; ++app)
        if (sameText(describe(static_cast<AppId>(app)).install.exeName, exe))
            return true;
    return false;
}

bool listed(const std::vector<ProgramChoice>& choices, const std::string& exe) {
    for (const ProgramChoice& choice : choices)
        if (sameText(choice.window.exe, exe))
            return true;
    return false;
}

} // namespace

std::vector<ProgramChoice> programChoices(const std::vector<TopWindow>& windows) {
    std::vector<ProgramChoice> choices;
    for (const TopWindow& top : windows) {
        const WindowDescription& window = top.description;
        if (window.exe.empty() || window.title.empty() || isTvApp(window.exe) ||
            listed(choices, window.exe))
            continue;
        choices.push_back({window.exe + " - " + window.title, window, top.owner});
    }
    return choices;
}

int preselected(const std::vector<ProgramChoice>& choices, const WindowDescription& front,
                const WindowDescription& frontOwner) {
    for (const WindowDescription* wanted : {&front, &frontOwner})
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (!wanted->exe.empty() && sameText(choices[i].window.exe, wanted->exe))
                return static_cast<int>(i);
    return 0;
}
