// Text compared as Windows compares file names: letter case ignored for every letter that has
// one, by the system's own upper-case table, never by the user's locale (so no Turkish dotless i).
// For what the user writes about another program's windows and what those windows are.
#pragma once

#include <string_view>

// The upper case of a UTF-16 unit as the system's case table gives it; itself when it has none.
char16_t upperCase(char16_t c);
// Both UTF-8 texts are the same but for letter case.
bool sameText(std::string_view a, std::string_view b);
// The UTF-8 text holds `part` somewhere, letter case ignored; an empty part is in every text.
bool containsText(std::string_view text, std::string_view part);
