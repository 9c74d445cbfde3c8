#include "program/program_fixture.h"

#include "harness/deadline.h"
#include "harness/filter_registry.h"
#include "program/standins.h"
#include "program/test_registry.h"
#include "remote/remote_keys.h"

namespace {

constexpr DWORD READ_TIMEOUT_MS = 5000;
constexpr DWORD SELECT = 0x30000001;
constexpr DWORD READ = 0x30000003;
constexpr DWORD FLAG_SET = 2;
constexpr DWORD FLAG_GET = 1;

} // namespace

void ProgramFixture::SetUp() {
    ASSERT_EQ(FindWindowA(PROGRAM_WINDOW_CLASS, nullptr), nullptr)
        << "a copy of the program is still running";
    removeAllStandins();
    deleteKeyTree("SOFTWARE\\Taviro Multimedia");
    std::string problem;
    ASSERT_TRUE(clearVideoInputCategory(&problem)) << problem;
    ASSERT_TRUE(registerSimFilter({0, "Solvanta QN52X Video Capture", 0, ""}, &problem)) << problem;
    cardDevice.reset(new CardDevice(0));
    ASSERT_TRUE(card().reset()) << "the card does not answer";
}

void ProgramFixture::TearDown() {
    removeAllStandins();
    deleteKeyTree("SOFTWARE\\Taviro Multimedia");
    if (cardDevice)
        card().reset();
}

void ProgramFixture::removeCaptureFilter() {
    std::string problem;
    ASSERT_TRUE(clearVideoInputCategory(&problem)) << problem;
}

void ProgramFixture::startProgram(ProgramRun& run) {
    std::string problem;
    ASSERT_TRUE(run.start(&problem)) << problem;
    ASSERT_NE(run.waitForWindow(), nullptr) << "the program's window did not appear";
}

void ProgramFixture::exitProgram(ProgramRun& run) {
    ASSERT_TRUE(PostMessageA(run.window(), WM_COMMAND, 1201, 0));
    DWORD code = STILL_ACTIVE;
    ASSERT_TRUE(run.waitForExit(&code)) << "the program did not end on Exit";
    EXPECT_EQ(code, 0u);
}

DWORD ProgramFixture::requestsSeen() {
    CardState state = {};
    return card().state(state) ? state.requestsLogged : 0;
}

void ProgramFixture::waitForReads(DWORD reads) {
    // Each read is three requests: select, set and get.
    const DWORD target = requestsSeen() + 3 * reads;
    ASSERT_TRUE(waitUntil([&] { return requestsSeen() >= target; }, READ_TIMEOUT_MS + 100 * reads))
        << "the program stopped reading the card";
}

void ProgramFixture::pressButton(const char* key) {
    const int raw = rawCodeOfKey(key);
    ASSERT_GE(raw, 0) << "no key " << key;
    ASSERT_TRUE(card().press(static_cast<DWORD>(raw), 0, 1));
    CardState state = {};
    ASSERT_TRUE(
        waitUntil([&] { return card().state(state) && state.keyLatches > 0; }, READ_TIMEOUT_MS))
        << "the program did not read key " << key;
}

void ProgramFixture::holdButton(const char* key, DWORD holdMs) {
    const int raw = rawCodeOfKey(key);
    ASSERT_GE(raw, 0) << "no key " << key;
    ASSERT_TRUE(card().press(static_cast<DWORD>(raw), holdMs, 0));
    CardState state = {};
    ASSERT_TRUE(
        waitUntil([&] { return card().state(state) && state.remoteRegister == CARD_NO_KEY; },
                  holdMs + READ_TIMEOUT_MS));
}

void ProgramFixture::holdButtonForReads(const char* key, DWORD reads) {
    const int raw = rawCodeOfKey(key);
    ASSERT_GE(raw, 0) << "no key " << key;
    ASSERT_TRUE(card().press(static_cast<DWORD>(raw), 0, reads));
    CardState state = {};
    ASSERT_TRUE(
        waitUntil([&] { return card().state(state) && state.remoteRegister == CARD_NO_KEY; },
                  READ_TIMEOUT_MS + 100 * reads))
        << "the program read key " << key << " only " << state.keyLatches << " times";
}

std::vector<RemoteRead> ProgramFixture::remoteReads() {
    CardState state = {};
    const std::vector<CardLogEntry> log = card().log();
    std::vector<RemoteRead> reads;
    if (log.empty() || !card().state(state) || state.frequency == 0)
        return reads;
    const double msPerTick = 1000.0 / static_cast<double>(state.frequency);
    for (size_t i = 0; i < log.size(); ++i) {
        const CardLogEntry& select = log[i];
        if (select.command != SELECT || select.flags != FLAG_SET)
            continue;
        RemoteRead read;
        read.atMs = static_cast<double>(select.time - log[0].time) * msPerTick;
        read.value = 0;
        read.complete = false;
        if (i + 2 < log.size()) {
            const CardLogEntry& set = log[i + 1];
            const CardLogEntry& get = log[i + 2];
            read.complete = select.address == CARD_REMOTE_REGISTER && select.status == 0 &&
                            set.command == READ && set.flags == FLAG_SET && set.status == 0 &&
                            get.command == READ && get.flags == FLAG_GET && get.status == 0;
            read.value = get.answer;
        }
        reads.push_back(read);
    }
    return reads;
}
