#include "app/monitor_text.h"

#include "app/press_words.h"
#include "win32/unicode_text.h"

#include <cstdio>

std::string cardText(const char* filterName, const CaptureDevice::Failure& failure) {
    char text[192];
    const char* name = filterName ? filterName : "none found";
    if (failure.what)
        std::snprintf(text, sizeof text, "Capture filter: %s    Reads fail: %s (status 0x%08lX)",
                      name, failure.what, static_cast<unsigned long>(failure.status));
    else
        std::snprintf(text, sizeof text, "Capture filter: %s", name);
    return text;
}

std::string countsText(const PressLog& log) {
    char text[96];
    std::snprintf(text, sizeof text, "Reads: %u    Presses: %u    Failed reads: %u", log.reads,
                  log.newest(), log.failedReads);
    return text;
}

std::string profilesText(std::string_view path, const ProfileSet& profiles) {
    std::string text = "Profiles from ";
    text += path.empty() ? "(no place: no APPDATA)" : path;
    text += ":";
    if (profiles.profiles.empty())
        text += " none";
    for (const Profile& profile : profiles.profiles)
        text += "  [" + profile.name + "]";
    for (const ProfileProblem& problem : profiles.problems)
        text += "\r\n" +
                (problem.line ? "line " + std::to_string(problem.line) : std::string("the file")) +
                ": " + problem.text;
    return text;
}

namespace {

// The title row (-1) or an entry's cell.
std::string cell(const PressLog& log, int row, int column) {
    return row < 0 ? COLUMN_TITLES[column]
                   : columnText(log.newestFirst(row), static_cast<Column>(column));
}

} // namespace

std::string copyText(const PressLog& log, std::string_view card, std::string_view profiles) {
    std::string text;
    text.append(card).append("\r\n").append(countsText(log)).append("\r\n");
    text.append(profiles).append("\r\n");
    std::size_t widths[COLUMN_COUNT] = {};
    for (int row = -1; row < log.entries(); ++row)
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            const std::size_t width = utf8Length(cell(log, row, column));
            widths[column] = width > widths[column] ? width : widths[column];
        }
    for (int row = -1; row < log.entries(); ++row) {
        std::string line;
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            const std::string text = cell(log, row, column);
            line += text;
            // The last column needs no padding after it.
            if (column + 1 < COLUMN_COUNT)
                line.append(widths[column] + 2 - utf8Length(text), ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1); // empty cells at the end of the line
        text += line + "\r\n";
    }
    return text;
}
