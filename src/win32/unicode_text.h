// Text inside the program is UTF-8; the system's Unicode calls take UTF-16. These convert between
// the two, by the rules of both encodings alone: no code page, no locale.
#pragma once

#include <string>
#include <string_view>

// Whether the bytes are well-formed UTF-8: no overlong form, no surrogate, nothing past U+10FFFF.
// Plain ASCII is.
bool isUtf8(std::string_view text);
// A sequence that is not UTF-8 (or a lone surrogate) becomes U+FFFD, the replacement character.
std::u16string utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::u16string_view text);
// The characters of well-formed UTF-8 text.
std::size_t utf8Length(std::string_view text);
// The longest start of the text that holds whole characters and fits in `bytes`.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes);
