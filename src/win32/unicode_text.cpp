#include "win32/unicode_text.h"

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The character that starts at `at`, and how many bytes it takes (at least 1); REPLACEMENT for a
// sequence that is not UTF-8.
char32_t decode(std::string_view text, std::size_t at, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = 1;
    if (lead < 0x80)
        return lead;
    std::size_t needed;
    char32_t least; // below this, the form is overlong
    char32_t value;
    if ((lead & 0xE0) == 0xC0) {
        needed = 2, least = 0x80, value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        needed = 3, least = 0x800, value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        needed = 4, least = 0x10000, value = lead & 0x07;
    } else {
        return REPLACEMENT;
    }
    for (std::size_t i = 1; i < needed; ++i) {
        if (at + i >= text.size() || !isContinuation(static_cast<unsigned char>(text[at + i])))
            return REPLACEMENT; // the bytes read so far are the bad sequence
        value = value << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        length = i + 1;
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return REPLACEMENT;
    return value;
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | c >> 6);
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | c >> 18);
        text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

bool isUtf8(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size(); at += length) {
        const char32_t c = decode(text, at, length);
        // U+FFFD written out is text; a bad sequence decodes to it with a different length.
        if (c == REPLACEMENT && text.substr(at, length) != "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size(); at += length) {
        const char32_t c = decode(text, at, length);
        if (c < 0x10000) {
            wide += static_cast<char16_t>(c);
        } else {
            wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return wide;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendUtf8(narrow, 0x10000 + ((char32_t{c} - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            appendUtf8(narrow, REPLACEMENT);
        } else {
            appendUtf8(narrow, c);
        }
    }
    return narrow;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t characters = 0;
    for (const char byte : text)
        characters += isContinuation(static_cast<unsigned char>(byte)) ? 0 : 1;
    return characters;
}

std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes)
        return text;
    while (bytes > 0 && isContinuation(static_cast<unsigned char>(text[bytes])))
        --bytes;
    return text.substr(0, bytes);
}
