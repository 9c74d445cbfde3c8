#include "remote/key_decoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Raw code -> button outside Japan mode, as the remote's code table gives it.
constexpr RemoteButton EXPECTED_BUTTONS[32] = {13, 1,   0,  20, 256, 4,  7,  15, 14, 5,  8,
                                               2,  512, 19, 25, 24,  10, 22, 9,  23, 31, 6,
                                               27, 30,  16, 17, 29,  3,  12, 21, 18, 26};

RegisterReading key(DWORD raw) {
    return {true, raw};
}
const RegisterReading IDLE{true, NO_KEY_BIT};

} // namespace

TEST(TranslateRawCode, MapsEveryRawCode) {
    for (DWORD raw = 0; raw < 64; ++raw)
        EXPECT_EQ(translateRawCode(raw), raw < 32 ? EXPECTED_BUTTONS[raw] : BUTTON_NONE)
            << "raw code " << raw;
}

TEST(KeyDecoder, EveryRawCodeInAndOutOfJapanMode) {
    for (bool japan : {false, true})
        for (DWORD raw = 0; raw < 64; ++raw) {
            KeyDecoder decoder;
            const KeyPress press = decoder.decode(key(raw), 100000, false, japan);
            ASSERT_TRUE(press.deliver) << raw;
            const RemoteButton expected = japan ? static_cast<RemoteButton>(raw)
                                                : (raw < 32 ? EXPECTED_BUTTONS[raw] : BUTTON_NONE);
            EXPECT_EQ(press.button, expected) << "raw " << raw << " japan " << japan;
            EXPECT_TRUE(press.freshPress);
        }
}

TEST(KeyDecoder, HigherRegisterBitsAreIgnored) {
    KeyDecoder decoder;
    const KeyPress press = decoder.decode({true, 0xFFFFFF80u | 30}, 100000, false, false);
    EXPECT_TRUE(press.deliver);
    EXPECT_EQ(press.button, BUTTON_POWER);
    EXPECT_FALSE(decoder.decode({true, 0x12345640u}, 100065, false, false).deliver);
}

TEST(KeyDecoder, NoKeyAndFailedReadsDeliverNothingAndKeepTheRepeatState) {
    KeyDecoder decoder;
    ASSERT_TRUE(decoder.decode(key(1), 100000, false, false).freshPress);
    EXPECT_FALSE(decoder.decode(IDLE, 100065, false, false).deliver);
    // A failed read of 0 would otherwise be raw code 0 (button 13).
    EXPECT_FALSE(decoder.decode({false, 0}, 100130, false, false).deliver);
    // The same button within 250 ms of its last sighting is still a repeat.
    const KeyPress again = decoder.decode(key(1), 100195, false, false);
    EXPECT_TRUE(again.deliver);
    EXPECT_FALSE(again.freshPress);
}

struct RepeatCase {
    const char* name;
    DWORD firstTick;
    DWORD secondTick;
    DWORD secondRaw;
    bool repeat;
};

TEST(KeyDecoder, RepeatWindow) {
    const RepeatCase cases[] = {
        {"249 ms later", 100000, 100249, 1, true},
        {"exactly 250 ms later", 100000, 100250, 1, false},
        {"another button", 100000, 100065, 2, false},
        {"tick count wraps between sightings", 0xFFFFFFC0u, 0x00000010u, 1, true},
        {"wrap but 250 ms apart", 0xFFFFFFC0u, 0x000000BAu, 1, false},
        {"raw codes 32 and 63 are the same button", 100000, 100065, 63, true},
    };
    for (const RepeatCase& c : cases) {
        KeyDecoder decoder;
        decoder.decode(key(c.secondRaw == 63 ? 32 : 1), c.firstTick, false, false);
        const KeyPress second = decoder.decode(key(c.secondRaw), c.secondTick, false, false);
        EXPECT_TRUE(second.deliver) << c.name;
        EXPECT_EQ(second.freshPress, !c.repeat) << c.name;
    }
}

TEST(KeyDecoder, WithATargetOnlyEveryTenthRepeatIsDelivered) {
    KeyDecoder decoder;
    std::vector<RemoteButton> delivered;
    for (int poll = 0; poll < 22; ++poll)
        delivered.push_back(decoder.decode(key(2), 100000 + 65 * poll, true, false).button);
    for (int poll = 0; poll < 22; ++poll) {
        const bool passes = poll == 0 || poll == 10 || poll == 20;
        EXPECT_EQ(delivered[poll], passes ? 0 : BUTTON_SUPPRESSED) << "poll " << poll;
    }
}

TEST(KeyDecoder, WithoutATargetEveryRepeatIsDelivered) {
    KeyDecoder decoder;
    for (int poll = 0; poll < 15; ++poll) {
        const KeyPress press = decoder.decode(key(9), 100000 + 65 * poll, false, false);
        EXPECT_EQ(press.button, 5) << "poll " << poll;
        EXPECT_EQ(press.freshPress, poll == 0);
    }
}

TEST(KeyDecoder, ASuppressedRepeatStillCountsAsTheHeldButton) {
    KeyDecoder decoder;
    decoder.decode(key(2), 100000, false, false); // the first press makes an application the target
    EXPECT_EQ(decoder.decode(key(2), 100065, true, false).button, BUTTON_SUPPRESSED);
    // A different button right after is a fresh press, delivered as decoded.
    const KeyPress other = decoder.decode(key(1), 100130, true, false);
    EXPECT_EQ(other.button, 1);
    EXPECT_TRUE(other.freshPress);
}

TEST(KeyDecoder, PowerAndButtons20And21ActOncePerPress) {
    // Raw codes 30, 3 and 29 are buttons 18, 20 and 21; in Japan mode the raw codes themselves.
    const struct {
        DWORD raw;
        bool japan;
        RemoteButton button;
    } cases[] = {{30, false, 18}, {3, false, 20}, {29, false, 21},
                 {18, true, 18},  {20, true, 20}, {21, true, 21}};
    for (const auto& c : cases)
        for (bool target : {false, true}) {
            KeyDecoder decoder;
            const KeyPress first = decoder.decode(key(c.raw), 100000, target, c.japan);
            EXPECT_TRUE(first.deliver);
            EXPECT_EQ(first.button, c.button);
            for (int poll = 1; poll < 25; ++poll)
                EXPECT_FALSE(
                    decoder.decode(key(c.raw), 100000 + 65 * poll, target, c.japan).deliver)
                    << "button " << c.button << " poll " << poll << " target " << target;
            // A later, separate press acts again.
            EXPECT_TRUE(
                decoder.decode(key(c.raw), 100000 + 65 * 24 + 250, target, c.japan).deliver);
        }
}

TEST(KeyDecoder, OtherButtonsKeepTheirRepeats) {
    // Buttons 19 and 22 sit beside the once-per-press ones; digit 1 drives the mouse.
    for (DWORD raw : {13u, 17u, 1u})
        for (bool target : {false, true}) {
            KeyDecoder decoder;
            const RemoteButton button = translateRawCode(raw);
            for (int poll = 0; poll < 12; ++poll) {
                const KeyPress press = decoder.decode(key(raw), 100000 + 65 * poll, target, false);
                EXPECT_TRUE(press.deliver);
                const bool passes = !target || poll % REPEAT_DIVISOR == 0;
                EXPECT_EQ(press.button, passes ? button : BUTTON_SUPPRESSED)
                    << "raw " << raw << " poll " << poll << " target " << target;
            }
        }
}

// A poll that is busy acting on its button (starting an application waits until it is ready)
// keeps every other poll from looking: the button counts as seen until the action ended.
TEST(KeyDecoder, ActingOnAButtonCountsAsSeeingItUntilTheActionEnds) {
    const struct {
        const char* name;
        bool nestedIdleReading; // a nested poll saw the key released during the action
        DWORD actionEnds;
        DWORD nextSighting;
        bool repeat;
    } cases[] = {
        {"still held after a long action", false, 100400, 100465, true},
        {"seen again 250 ms after the action ended", false, 100400, 100650, false},
        {"released, as a nested poll saw", true, 100400, 100465, false},
    };
    for (const auto& c : cases) {
        KeyDecoder decoder;
        decoder.decode(key(30), 100000, false, false);
        const KeyAction action = decoder.startActing();
        if (c.nestedIdleReading)
            decoder.decode(IDLE, 100065, false, false);
        decoder.actedOn(action, c.actionEnds);
        const KeyPress next = decoder.decode(key(30), c.nextSighting, false, false);
        EXPECT_EQ(next.deliver, !c.repeat) << c.name; // Power: repeats act not at all
        EXPECT_EQ(next.freshPress, !c.repeat) << c.name;
    }
}
