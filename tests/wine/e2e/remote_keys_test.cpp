// The remote tool's key names: its own copy of the remote's layout must agree with the program's
// decoder for every raw code, and its names must take exactly what they promise.
#include "remote/key_decoder.h"
#include "remote/remote_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RemoteKeys, layoutAgreesWithTheProgramsDecoderForEveryRawCode) {
    for (unsigned raw = 0; raw < 64; ++raw) {
        SCOPED_TRACE(::testing::Message() << "raw code " << raw);
        const RemoteButton button = translateRawCode(raw);
        if (button == BUTTON_NONE) {
            EXPECT_EQ(buttonOfRawCode(raw), -1);
            continue;
        }
        EXPECT_EQ(buttonOfRawCode(raw), button);
        EXPECT_EQ(rawCodeOfKey(std::to_string(button).c_str()), static_cast<int>(raw));
        EXPECT_EQ(rawCodeOfKey(("raw:" + std::to_string(raw)).c_str()), static_cast<int>(raw));
    }
}

TEST(RemoteKeys, namesTakeOnlyWhatTheyPromise) {
    const struct {
        const char* key;
        int raw;
    } cases[] = {
        {"power", 30},  {"18", 30},     {"0", 2},     {"256", 4},    {"512", 12}, {"raw:0", 0},
        {"raw:63", 63}, {"raw:64", -1}, {"raw:", -1}, {"raw:x", -1}, {"11", -1},  {"28", -1},
        {"32", -1},     {"65536", -1},  {"-1", -1},   {"Power", -1}, {"5x", -1},  {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rawCodeOfKey(c.key), c.raw) << "\"" << c.key << "\"";
}

} // namespace
