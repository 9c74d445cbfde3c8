#include "remote_keys.h"

#include <cstdlib>
#include <cstring>

namespace {

// Button of each raw code 0 to 31.
constexpr int RAW_CODE_BUTTONS[32] = {13, 1,   0,  20, 256, 4,  7,  15, 14, 5,  8,
                                      2,  512, 19, 25, 24,  10, 22, 9,  23, 31, 6,
                                      27, 30,  16, 17, 29,  3,  12, 21, 18, 26};
constexpr int POWER_BUTTON = 18;

// Whole-string decimal number, or -1.
long parseNumber(const char* text) {
    if (!*text)
        return -1;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end || value < 0 ? -1 : value;
}

} // namespace

int buttonOfRawCode(unsigned rawCode) {
    return rawCode < 32 ? RAW_CODE_BUTTONS[rawCode] : -1;
}

int rawCodeOfKey(const char* key) {
    if (std::strncmp(key, "raw:", 4) == 0) {
        const long raw = parseNumber(key + 4);
        return raw >= 0 && raw < 64 ? static_cast<int>(raw) : -1;
    }
    const long button = std::strcmp(key, "power") == 0 ? POWER_BUTTON : parseNumber(key);
    if (button < 0)
        return -1;
    for (int raw = 0; raw < 32; ++raw)
        if (RAW_CODE_BUTTONS[raw] == button)
            return raw;
    return -1;
}
