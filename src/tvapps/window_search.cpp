#include "tvapps/window_search.h"

#include <cstring>

namespace {

using TitleTest = bool (*)(const char* title, const char* text);

bool startsWith(const char* title, const char* prefix) {
    return std::strncmp(title, prefix, std::strlen(prefix)) == 0;
}
bool equals(const char* title, const char* text) {
    return std::strcmp(title, text) == 0;
}
bool contains(const char* title, const char* text) {
    return std::strstr(title, text) != nullptr;
}

bool titlePasses(HWND window, TitleTest test, const char* text) {
    char title[WINDOW_TITLE_SIZE];
    readWindowTitle(window, title);
    return test(title, text);
}

// The first window, from `first` along GW_HWNDNEXT, whose title passes the test.
HWND firstSiblingWhoseTitle(HWND first, TitleTest test, const char* text) {
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT))
        if (titlePasses(w, test, text))
            return w;
    return nullptr;
}

HWND firstTopLevelWhoseTitle(TitleTest test, const char* text) {
    return firstSiblingWhoseTitle(GetWindow(GetDesktopWindow(), GW_CHILD), test, text);
}

} // namespace

void readWindowTitle(HWND window, char (&title)[WINDOW_TITLE_SIZE]) {
    title[0] = 0;
    GetWindowTextA(window, title, WINDOW_TITLE_SIZE);
    title[WINDOW_TITLE_SIZE - 1] = 0; // another program's text is terminated before use
}

HWND findTopLevel(Match match, const char* text) {
    switch (match) {
    case Match::CLASS:
        return FindWindowExA(GetDesktopWindow(), nullptr, text, nullptr);
    case Match::TITLE:
        return FindWindowExA(GetDesktopWindow(), nullptr, nullptr, text);
    case Match::TITLE_START:
        return firstTopLevelWhoseTitle(startsWith, text);
    case Match::TITLE_EXACT:
        return firstTopLevelWhoseTitle(equals, text);
    case Match::TITLE_CONTAINS:
        return firstTopLevelWhoseTitle(contains, text);
    case Match::CHILD_OF_TITLE_EXACT: {
        // The walk stops at the first match even when it has no child.
        HWND main = firstTopLevelWhoseTitle(equals, text);
        return main ? GetWindow(main, GW_CHILD) : nullptr;
    }
    case Match::NONE:
        break;
    }
    return nullptr;
}

HWND findTopLevelTitleStartingWith(const char* prefix) {
    return findTopLevel(Match::TITLE_START, prefix);
}

HWND findTopLevelWithChildTitled(const char* childTitle) {
    for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top; top = GetWindow(top, GW_HWNDNEXT))
        if (firstSiblingWhoseTitle(GetWindow(top, GW_CHILD), equals, childTitle))
            return top;
    return nullptr;
}
