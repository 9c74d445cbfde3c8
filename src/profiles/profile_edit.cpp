#include "profiles/profile_edit.h"

#include "profiles/profile_match.h"
#include "win32/letter_case.h"

#include <map>

namespace {

// One line of the file: its text and its ending ("\r\n", "\n", or none for a last line without
// one), numbered from 1 as the parser numbers them.
struct Line {
    std::string_view text;
    std::string_view ending;
};

std::vector<Line> linesOf(std::string_view bytes) {
    std::vector<Line> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end == std::string_view::npos ? end : end + 1);
        bytes.remove_prefix(line.size());
        std::size_t body = line.size();
        while (body > 0 && (line[body - 1] == '\n' || line[body - 1] == '\r'))
            --body;
        lines.push_back({line.substr(0, body), line.substr(body)});
    }
    return lines;
}

const Profile* firstMatch(const ProfileSet& profiles, const WindowDescription& window,
                          const WindowDescription& owner) {
    for (const WindowDescription* candidate : {&window, &owner})
        for (const Profile& profile : profiles.profiles)
            if (!candidate->exe.empty() && matches(profile, *candidate))
                return &profile;
    return nullptr;
}

std::string freeName(const ProfileSet& profiles, const std::string& wanted) {
    std::string name = wanted;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (const ProfileSection& section : profiles.sections)
            taken = taken || sameText(section.name, name);
        if (!taken)
            return name;
        name = wanted + " " + std::to_string(n);
    }
}

std::string buttonLine(RemoteButton button, const std::string& key) {
    return "Button" + std::to_string(button) + " = " + key;
}

// The new text: lines replaced by number, lines inserted after a number (0: before the first), each
// new one encoded and ended as the file's first line is.
class Edit {
public:
    Edit(std::string_view bytes, LineEncoder encode) : lines(linesOf(bytes)), encode(encode) {
        if (!lines.empty() && !lines.front().ending.empty())
            ending = lines.front().ending;
    }

    bool replace(int line, const std::string& text) { return encoded(text, replaced[line]); }
    bool insertAfter(int line, const std::string& text) {
        std::string& to = inserted[line];
        return encoded(text, to) && (to += ending, true);
    }
    int lineCount() const { return static_cast<int>(lines.size()); }

    std::string result() const {
        std::string text = textAfter(0);
        for (int number = 1; number <= lineCount(); ++number) {
            const Line& line = lines[number - 1];
            const auto replacement = replaced.find(number);
            const bool rewritten = replacement != replaced.end();
            text += rewritten ? std::string_view(replacement->second) : line.text;
            // A line written anew, or one that others now follow, ends even where it did not.
            const bool followed = rewritten || inserted.count(number) != 0;
            text += line.ending.empty() && followed ? ending : line.ending;
            text += textAfter(number);
        }
        return text;
    }

private:
    bool encoded(const std::string& text, std::string& to) const {
        std::string line;
        if (!encode(text, line))
            return false;
        to += line;
        return true;
    }
    std::string textAfter(int line) const {
        const auto found = inserted.find(line);
        return found == inserted.end() ? std::string() : found->second;
    }

    std::vector<Line> lines;
    LineEncoder encode;
    std::string_view ending = "\r\n";
    std::map<int, std::string> replaced;
    std::map<int, std::string> inserted;
};

bool updateInPlace(Edit& edit, const Profile& profile, const TaughtProfile& taught) {
    for (const auto& [button, key] : taught.buttons) {
        int line = 0;
        for (const ProfileButton& existing : profile.buttons)
            if (existing.button == button)
                line = existing.line;
        const bool ok = line ? edit.replace(line, buttonLine(button, key))
                             : edit.insertAfter(profile.lastSetting, buttonLine(button, key));
        if (!ok)
            return false;
    }
    return true;
}

bool insertProfile(Edit& edit, const ProfileSet& profiles, const Profile* before,
                   const TaughtProfile& taught) {
    const int after = before ? before->line - 1 : edit.lineCount();
    std::vector<std::string> lines = {"", "[" + freeName(profiles, taught.name) + "]",
                                      "Exe = " + taught.exe};
    for (const auto& [button, key] : taught.buttons)
        lines.push_back(buttonLine(button, key));
    for (const std::string& line : lines)
        if (!edit.insertAfter(after, line))
            return false;
    return true;
}

} // namespace

bool addTaughtProfile(std::string_view bytes, const ProfileSet& profiles,
                      const WindowDescription& window, const WindowDescription& owner,
                      const TaughtProfile& taught, LineEncoder encode, std::string& edited) {
    edited.clear();
    Edit edit(bytes, encode);
    const Profile* match = firstMatch(profiles, window, owner);
    const bool exeAlone =
        match && !match->exe.empty() && match->className.empty() && match->title.empty();
    if (!(exeAlone ? updateInPlace(edit, *match, taught)
                   : insertProfile(edit, profiles, match, taught)))
        return false;
    edited = edit.result();
    return true;
}
