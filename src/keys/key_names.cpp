#include "keys/key_names.h"

#include "win32/letter_case.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace {

constexpr bool EXTENDED = true;

// clang-format off
constexpr NamedKey NAMED_KEYS[] = {
    {"Space", {VK_SPACE, 0x39, false}},       {"Enter", {VK_RETURN, 0x1C, false}},
    {"Esc", {VK_ESCAPE, 0x01, false}},        {"Tab", {VK_TAB, 0x0F, false}},
    {"Backspace", {VK_BACK, 0x0E, false}},    {"Up", {VK_UP, 0x48, EXTENDED}},
    {"Down", {VK_DOWN, 0x50, EXTENDED}},      {"Left", {VK_LEFT, 0x4B, EXTENDED}},
    {"Right", {VK_RIGHT, 0x4D, EXTENDED}},    {"PageUp", {VK_PRIOR, 0x49, EXTENDED}},
    {"PageDown", {VK_NEXT, 0x51, EXTENDED}},  {"Home", {VK_HOME, 0x47, EXTENDED}},
    {"End", {VK_END, 0x4F, EXTENDED}},        {"Insert", {VK_INSERT, 0x52, EXTENDED}},
    {"Delete", {VK_DELETE, 0x53, EXTENDED}},  {"Plus", {VK_OEM_PLUS, 0x0D, false}},
    {"Minus", {VK_OEM_MINUS, 0x0C, false}},   {"Period", {VK_OEM_PERIOD, 0x34, false}},
    {"Comma", {VK_OEM_COMMA, 0x33, false}},   {"NumPlus", {VK_ADD, 0x4E, false}},
    {"NumMinus", {VK_SUBTRACT, 0x4A, false}},
    {"VolumeUp", {VK_VOLUME_UP, 0x30, EXTENDED}},
    {"VolumeDown", {VK_VOLUME_DOWN, 0x2E, EXTENDED}},
    {"Mute", {VK_VOLUME_MUTE, 0x20, EXTENDED}},
    {"PlayPause", {VK_MEDIA_PLAY_PAUSE, 0x22, EXTENDED}},
    {"Stop", {VK_MEDIA_STOP, 0x24, EXTENDED}},
    {"NextTrack", {VK_MEDIA_NEXT_TRACK, 0x19, EXTENDED}},
    {"PrevTrack", {VK_MEDIA_PREV_TRACK, 0x10, EXTENDED}},
};

constexpr NamedKey MODIFIERS[] = {
    {"Ctrl", {VK_CONTROL, 0x1D, false}}, {"Alt", {VK_MENU, 0x38, false}},
    {"Shift", {VK_SHIFT, 0x2A, false}},  {"Win", {VK_LWIN, 0x5B, EXTENDED}},
};
// clang-format on

// Set-1 scan codes of the letters A to Z, the digits 0 to 9 and F1 to F24.
constexpr BYTE LETTER_SCAN_CODES[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                        0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                        0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
constexpr BYTE DIGIT_SCAN_CODES[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
constexpr BYTE FUNCTION_SCAN_CODES[24] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42,
                                          0x43, 0x44, 0x57, 0x58, 0x64, 0x65, 0x66, 0x67,
                                          0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76};

// Letters, digits and F-keys are ASCII: their names are read a character at a time.
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool findIn(std::span<const NamedKey> keys, const char* name, KeyInfo* key) {
    for (const NamedKey& named : keys)
        if (sameText(named.name, name)) {
            *key = named.key;
            return true;
        }
    return false;
}

const char* nameIn(std::span<const NamedKey> keys, UINT vk) {
    for (const NamedKey& named : keys)
        if (named.key.vk == vk)
            return named.name;
    return nullptr;
}

// F1 to F24: the number, without leading zeros.
int functionKeyNumber(const char* name) {
    if (upper(name[0]) != 'F' || name[1] < '1' || name[1] > '9')
        return 0;
    int number = name[1] - '0';
    if (name[2] >= '0' && name[2] <= '9' && name[3] == 0)
        number = number * 10 + (name[2] - '0');
    else if (name[2] != 0)
        return 0;
    return number <= 24 ? number : 0;
}

} // namespace

std::span<const NamedKey> namedKeys() {
    return NAMED_KEYS;
}

std::span<const NamedKey> modifierKeys() {
    return MODIFIERS;
}

std::vector<std::string> everyKeyName() {
    std::vector<std::string> names;
    for (char c = 'A'; c <= 'Z'; ++c)
        names.emplace_back(1, c);
    for (char c = '0'; c <= '9'; ++c)
        names.emplace_back(1, c);
    for (int f = 1; f <= 24; ++f)
        names.push_back("F" + std::to_string(f));
    for (const NamedKey& key : NAMED_KEYS)
        names.emplace_back(key.name);
    return names;
}

bool keyByName(const char* name, KeyInfo* key) {
    const char c = upper(name[0]);
    if (name[0] != 0 && name[1] == 0 && c >= 'A' && c <= 'Z') {
        *key = {static_cast<BYTE>(c), LETTER_SCAN_CODES[c - 'A'], false};
        return true;
    }
    if (name[0] != 0 && name[1] == 0 && c >= '0' && c <= '9') {
        *key = {static_cast<BYTE>(c), DIGIT_SCAN_CODES[c - '0'], false};
        return true;
    }
    if (const int f = functionKeyNumber(name)) {
        *key = {static_cast<BYTE>(VK_F1 + f - 1), FUNCTION_SCAN_CODES[f - 1], false};
        return true;
    }
    return findIn(NAMED_KEYS, name, key);
}

bool modifierByName(const char* name, KeyInfo* key) {
    return findIn(MODIFIERS, name, key);
}

void keyName(UINT vk, char (&name)[16]) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        std::snprintf(name, sizeof name, "%c", static_cast<char>(vk));
        return;
    }
    if (vk >= VK_F1 && vk <= VK_F1 + 23) {
        std::snprintf(name, sizeof name, "F%u", vk - VK_F1 + 1);
        return;
    }
    const char* known = nameIn(NAMED_KEYS, vk);
    if (!known)
        known = nameIn(MODIFIERS, vk);
    if (!known && vk == VK_MULTIPLY) // sent by the button maps, typed by no profile
        known = "Num *";
    if (known)
        std::snprintf(name, sizeof name, "%s", known);
    else
        std::snprintf(name, sizeof name, "0x%02X", vk);
}
