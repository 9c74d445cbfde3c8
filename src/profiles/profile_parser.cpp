#include "profiles/profile_parser.h"

#include "win32/letter_case.h"
#include "win32/unicode_text.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::string_view UTF8_MARK = "\xEF\xBB\xBF";
constexpr int JAPAN_BUTTONS = 64;
constexpr int BUTTONS = 32;

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool startsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && sameText(text.substr(0, word.size()), word);
}

// "Button<N>": the number; -1 when it is no number.
int buttonNumber(std::string_view key) {
    const std::string_view digits = key.substr(6);
    if (digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != digits.npos)
        return -1;
    return std::atoi(std::string(digits).c_str());
}

class Parser {
public:
    Parser(bool japanMode) : japanMode(japanMode) {}

    void line(int number, std::string_view raw) {
        const std::string_view text = trim(raw);
        const bool header = !text.empty() && text.front() == '[';
        if (skipping && !header)
            return;
        if (utf8Length(raw) > MAX_PROFILE_LINE)
            return problem(number, "a line longer than 1024 characters");
        if (text.empty() || text[0] == ';' || text[0] == '#')
            return;
        if (header && text.back() == ']')
            return section(number, trim(text.substr(1, text.size() - 2)));
        if (header)
            return brokenSection(number);
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            return problem(number, "neither \"key = value\" nor a [section]");
        const std::string_view key = trim(text.substr(0, equals));
        const std::string_view value = trim(text.substr(equals + 1));
        if (!current)
            return problem(number, "\"" + std::string(key) + "\" before the first [profile]");
        setting(number, key, value);
    }

    ProfileSet finish() {
        closeSection();
        // A profile's own problem is found at its end, but belongs to its header's line.
        std::stable_sort(
            set.problems.begin(), set.problems.end(),
            [](const ProfileProblem& a, const ProfileProblem& b) { return a.line < b.line; });
        return std::move(set);
    }

private:
    void problem(int number, std::string text) {
        set.problems.push_back({number, std::move(text)});
    }

    void section(int number, std::string_view name) {
        closeSection();
        skipping = false;
        for (const Profile& earlier : set.profiles)
            if (sameText(earlier.name, name)) {
                problem(number,
                        "a second profile [" + std::string(name) + "]: the first one counts");
                skipping = true;
            }
        set.sections.push_back({std::string(name), number});
        pending = Profile{};
        pending.name = std::string(name);
        pending.line = number;
        pending.lastSetting = number;
        current = true;
    }

    // "[VLC" or "[VLC] ; note": what follows up to the next whole header belongs to no profile,
    // neither to this one nor to the one above it.
    void brokenSection(int number) {
        closeSection();
        problem(number, "not a whole [section] line; it and the lines after it, up to the next "
                        "[section], are skipped");
        skipping = true;
    }

    void closeSection() {
        if (!current || skipping)
            return;
        if (pending.exe.empty() && pending.className.empty() && pending.title.empty())
            problem(pending.line, "profile [" + pending.name + "] names no Exe, Class or Title");
        else
            set.profiles.push_back(std::move(pending));
        current = false;
    }

    void setting(int number, std::string_view key, std::string_view value) {
        pending.lastSetting = number;
        if (sameText(key, "Exe"))
            pending.exe = value;
        else if (sameText(key, "Class"))
            pending.className = value;
        else if (sameText(key, "Title"))
            pending.title = value;
        else if (startsWithWord(key, "Button"))
            button(number, key, value);
        else
            problem(number, "unknown key \"" + std::string(key) + "\"");
    }

    void button(int number, std::string_view key, std::string_view value) {
        const int button = buttonNumber(key);
        if (!isProfileButton(button, japanMode))
            return problem(number, "no button " + std::string(key.substr(6)) +
                                       " for a profile (0 to 31, 256, 512; 18, 20 and 21 keep "
                                       "their meaning; 0 to 63 in Japan mode)");
        KeyChord chord;
        std::string why;
        if (!chordByName(value, chord, why))
            return problem(number, why + " in " + std::string(key));
        for (const ProfileButton& earlier : pending.buttons)
            if (earlier.button == button)
                return problem(number, std::string(key) + " given twice: the first one counts");
        pending.buttons.push_back({button, chord, number});
    }

    bool japanMode;
    ProfileSet set;
    Profile pending;
    bool current = false;  // within a section
    bool skipping = false; // a section whose name came before, or after a broken header
};

} // namespace

bool isProfileButton(RemoteButton number, bool japanMode) {
    if (number == BUTTON_POWER || number == BUTTON_DEFAULT_APP || number == BUTTON_SHUT_DOWN)
        return false;
    if (japanMode)
        return number >= 0 && number < JAPAN_BUTTONS;
    return (number >= 0 && number < BUTTONS) || number == BUTTON_256 || number == BUTTON_512;
}

ProfileSet parseProfiles(std::string_view text, bool japanMode) {
    if (text.find('\0') != std::string_view::npos)
        return {{},
                {{0, "it is not text: save it as UTF-8 or ANSI (Notepad's \"Unicode\" is "
                     "UTF-16)"}},
                {}};
    if (text.substr(0, UTF8_MARK.size()) == UTF8_MARK)
        text.remove_prefix(UTF8_MARK.size());
    Parser parser(japanMode);
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        parser.line(++number, line);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return parser.finish();
}
