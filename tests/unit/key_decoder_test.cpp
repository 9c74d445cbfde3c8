#include "remote/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// The target as the repeat rule sees it: whether there is one, and whether it takes buttons 20
// and 21 as commands of its own (as LumenTVR does).
struct Target : RepeatTarget {
    bool active;
    bool takesSwitches;
    Target(bool active, bool takesSwitches) : active(active), takesSwitches(takesSwitches) {}
    bool targetActive() const override { return active; }
    bool targetTakes(RemoteButton b) const override {
        return takesSwitches && (b == BUTTON_DEFAULT_APP || b == BUTTON_SHUT_DOWN);
    }
};
const Target NO_TARGET{false, false};
const Target A_TARGET{true, false};
const Target LUMENTVR_TARGET{true, true};

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
            const KeyPress press = decoder.decode(key(raw), 100000, NO_TARGET, japan);
            ASSERT_TRUE(press.deliver) << raw;
            const RemoteButton expected = japan ? static_cast<RemoteButton>(raw)
                                                : (raw < 32 ? EXPECTED_BUTTONS[raw] : BUTTON_NONE);
            EXPECT_EQ(press.button, expected) << "raw " << raw << " japan " << japan;
            EXPECT_TRUE(press.freshPress);
        }
}

TEST(KeyDecoder, HigherRegisterBitsAreIgnored) {
    KeyDecoder decoder;
    const KeyPress press = decoder.decode({true, 0xFFFFFF80u | 30}, 100000, NO_TARGET, false);
    EXPECT_TRUE(press.deliver);
    EXPECT_EQ(press.button, BUTTON_POWER);
    EXPECT_FALSE(decoder.decode({true, 0x12345640u}, 100065, NO_TARGET, false).deliver);
}

TEST(KeyDecoder, NoKeyAndFailedReadsDeliverNothingAndKeepTheRepeatState) {
    KeyDecoder decoder;
    ASSERT_TRUE(decoder.decode(key(1), 100000, NO_TARGET, false).freshPress);
    EXPECT_FALSE(decoder.decode(IDLE, 100065, NO_TARGET, false).deliver);
    // A failed read of 0 would otherwise be raw code 0 (button 13).
    EXPECT_FALSE(decoder.decode({false, 0}, 100130, NO_TARGET, false).deliver);
    // The same button within 250 ms of its last sighting is still a repeat.
    const KeyPress again = decoder.decode(key(1), 100195, NO_TARGET, false);
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
        decoder.decode(key(c.secondRaw == 63 ? 32 : 1), c.firstTick, NO_TARGET, false);
        const KeyPress second = decoder.decode(key(c.secondRaw), c.secondTick, NO_TARGET, false);
        EXPECT_TRUE(second.deliver) << c.name;
        EXPECT_EQ(second.freshPress, !c.repeat) << c.name;
    }
}

TEST(KeyDecoder, WithoutATargetEveryRepeatIsDelivered) {
    KeyDecoder decoder;
    for (int poll = 0; poll < 15; ++poll) {
        const KeyPress press = decoder.decode(key(9), 100000 + 65 * poll, NO_TARGET, false);
        EXPECT_EQ(press.button, 5) << "poll " << poll;
        EXPECT_EQ(press.freshPress, poll == 0);
    }
}

TEST(KeyDecoder, ASuppressedRepeatStillCountsAsTheHeldButton) {
    KeyDecoder decoder;
    // The first press makes an application the target.
    decoder.decode(key(2), 100000, NO_TARGET, false);
    EXPECT_EQ(decoder.decode(key(2), 100065, A_TARGET, false).button, BUTTON_SUPPRESSED);
    // A different button right after is a fresh press, delivered as decoded.
    const KeyPress other = decoder.decode(key(1), 100130, A_TARGET, false);
    EXPECT_EQ(other.button, 1);
    EXPECT_TRUE(other.freshPress);
}

// Power and buttons 20 and 21 act once per press, except that a target that takes 20 or 21 as a
// command of its own gets their repeats as any command's. Other buttons keep their repeats: every
// one with no target; with one, the press and every tenth repeat, the others held back.
TEST(KeyDecoder, WhichRepeatsOfAHeldButtonAreDelivered) {
    enum Pattern { ONCE, EVERY_TENTH, EVERY };
    // Raw codes 30, 3 and 29 are buttons 18, 20 and 21; in Japan mode the raw codes themselves.
    // Buttons 19 and 22 (raw 13 and 17) sit beside them; digit 1 drives the mouse.
    const struct {
        DWORD raw;
        bool japan;
        Pattern none, target, lumenTvr; // with no target, another target, LumenTVR as the target
    } cases[] = {
        {30, false, ONCE, ONCE, ONCE},
        {3, false, ONCE, ONCE, EVERY_TENTH},
        {29, false, ONCE, ONCE, EVERY_TENTH},
        {18, true, ONCE, ONCE, ONCE},
        {20, true, ONCE, ONCE, EVERY_TENTH},
        {21, true, ONCE, ONCE, EVERY_TENTH},
        {13, false, EVERY, EVERY_TENTH, EVERY_TENTH},
        {17, false, EVERY, EVERY_TENTH, EVERY_TENTH},
        {1, false, EVERY, EVERY_TENTH, EVERY_TENTH},
    };
    for (const auto& c : cases)
        for (const auto& [target, pattern] : {std::pair<const Target&, Pattern>{NO_TARGET, c.none},
                                              {A_TARGET, c.target},
                                              {LUMENTVR_TARGET, c.lumenTvr}}) {
            KeyDecoder decoder;
            const RemoteButton button =
                c.japan ? static_cast<RemoteButton>(c.raw) : translateRawCode(c.raw);
            for (int poll = 0; poll < 25; ++poll) {
                SCOPED_TRACE("raw " + std::to_string(c.raw) + " japan " + std::to_string(c.japan) +
                             " pattern " + std::to_string(pattern) + " poll " +
                             std::to_string(poll));
                const KeyPress press =
                    decoder.decode(key(c.raw), 100000 + 65 * poll, target, c.japan);
                EXPECT_EQ(press.deliver, pattern != ONCE || poll == 0);
                const bool passes = pattern == EVERY || poll % 10 == 0; // polls 0, 10 and 20
                if (press.deliver) {
                    EXPECT_EQ(press.button, passes ? button : BUTTON_SUPPRESSED);
                }
            }
            // A later, separate press acts again.
            EXPECT_TRUE(
                decoder.decode(key(c.raw), 100000 + 65 * 24 + 250, target, c.japan).deliver);
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
        decoder.decode(key(30), 100000, NO_TARGET, false);
        const KeyAction action = decoder.startActing();
        if (c.nestedIdleReading)
            decoder.decode(IDLE, 100065, NO_TARGET, false);
        decoder.actedOn(action, c.actionEnds);
        const KeyPress next = decoder.decode(key(30), c.nextSighting, NO_TARGET, false);
        EXPECT_EQ(next.deliver, !c.repeat) << c.name; // Power: repeats act not at all
        EXPECT_EQ(next.freshPress, !c.repeat) << c.name;
    }
}
