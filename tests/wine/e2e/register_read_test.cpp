// Reading chip registers through the real capture-device code: the three requests of a read as
// the driver receives them, the failure messages in their order, pending completions, and the
// guard that keeps failure messages from stacking up under a running poll timer.
#include "card_fixture.h"
#include "harness/deadline.h"
#include "remote/device_control.h"
#include "remote/register_request.h"
#include "unit/event_log_match.h"

#include <atomic>
#include <thread>

namespace {

constexpr DWORD REMOTE = REMOTE_CODE_REGISTER;
constexpr DWORD GEN_FAILURE = ERROR_GEN_FAILURE; // 31
constexpr DWORD NOT_READY = ERROR_NOT_READY;     // 21

const std::vector<std::string> SELECT_FAILURE_BOXES = {"FAILED to set REGISTER address | FAILED",
                                                       "Error | Unable to set Register address"};
const std::vector<std::string> GET_FAILURE_BOXES = {"FAILED REGISTER READ | FAILED",
                                                    "Info | Cx23880 Register Read failed"};

// The three requests of one read of `address` whose set half latched `latched`.
std::vector<std::string> readRequests(DWORD address, DWORD latched, DWORD getStatus = 0) {
    return {requestLine(SET, SELECT, address, 0), requestLine(SET, READ, 0, 0),
            requestLine(GET, READ, 0, latched, getStatus)};
}

class RegisterRead : public CardFixture {
protected:
    void SetUp() override {
        CardFixture::SetUp();
        registerFilters({{0, "Solvanta QN52X Video Capture", 0, ""}});
        ASSERT_TRUE(device.open());
        ASSERT_NE(device.handle(), nullptr);
    }
};

// Completes the requests that the card holds pending, once one is seen pending while the read
// on the test thread has still not returned; sets `sawPending` when it saw that.
std::thread finishHeldRequests(std::atomic<bool>& readReturned, std::atomic<bool>& sawPending) {
    return std::thread([&readReturned, &sawPending] {
        CardDevice card(0);
        CardState state = {};
        const bool pending =
            waitUntil([&] { return card.state(state) && state.pendingRequests > 0; }, 10000);
        sawPending = pending && !readReturned;
        // Keep finishing until the read is back, so a broken read cannot hang the run.
        waitUntil([&] { return !card.finishHeld() || readReturned; }, 10000, 10);
    });
}

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

TEST_F(RegisterRead, aReadSendsSelectSetAndGetAndReturnsTheRegister) {
    struct Case {
        const char* title;
        int key; // raw code held down, or -1
        DWORD pokedAddress, pokedValue;
        DWORD address;
        DWORD expected;
    };
    const Case cases[] = {
        {"Power held", 30, 0, 0, REMOTE, 30},
        {"raw code 0 is a value, not a failure", 0, 0, 0, REMOTE, 0},
        {"no key", -1, 0, 0, REMOTE, CARD_NO_KEY},
        {"another register", 30, 0x350010, 0x12345678, 0x350010, 0x12345678},
        {"a register never written", -1, 0, 0, 0x100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(card(0).reset());
        if (c.key >= 0) {
            ASSERT_TRUE(card(0).press(c.key));
        }
        if (c.pokedAddress) {
            ASSERT_TRUE(card(0).poke(c.pokedAddress, c.pokedValue));
        }
        bool ok = false;
        EXPECT_EQ(device.readRegister(c.address, &ok), c.expected);
        EXPECT_TRUE(ok);
        EXPECT_TRUE(sameEvents(requests(0), readRequests(c.address, c.expected)));
    }
    EXPECT_TRUE(boxes().seen().empty());
}

TEST_F(RegisterRead, aFailedSelectShowsTwoMessagesAndSendsNoRead) {
    ASSERT_TRUE(card(0).press(30));
    ASSERT_TRUE(card(0).fault(CARD_REQUEST_SELECT, GEN_FAILURE));
    bool ok = true;
    EXPECT_EQ(device.readRegister(REMOTE, &ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(boxes().seenLines(), SELECT_FAILURE_BOXES));
    EXPECT_TRUE(sameEvents(requests(0),
                           {requestLine(SET, SELECT, REMOTE, 0, ntStatusOfError(GEN_FAILURE))}));
    for (const SeenMessageBox& box : boxes().seen()) {
        EXPECT_FALSE(box.owned) << box.caption;
        EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK}) << box.caption;
    }
}

TEST_F(RegisterRead, aFailedGetShowsTwoMessagesAndReturnsTheValueWordLeftInTheBuffer) {
    ASSERT_TRUE(card(0).press(5));
    ASSERT_TRUE(card(0).fault(CARD_REQUEST_READ_GET, GEN_FAILURE));
    bool ok = true;
    // The failed get writes nothing back; the word is the one the set half latched.
    EXPECT_EQ(device.readRegister(REMOTE, &ok), 5u);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(boxes().seenLines(), GET_FAILURE_BOXES));
    EXPECT_TRUE(sameEvents(requests(0), readRequests(REMOTE, 5, ntStatusOfError(GEN_FAILURE))));
}

TEST_F(RegisterRead, aFailedSetHalfIsIgnoredAndTheGetIsSentAnyway) {
    ASSERT_TRUE(card(0).press(5));
    ASSERT_TRUE(card(0).fault(CARD_REQUEST_READ_SET, GEN_FAILURE));
    bool ok = false;
    // Nothing latched: the get answers with the latch as it was, no key.
    EXPECT_EQ(device.readRegister(REMOTE, &ok), CARD_NO_KEY);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(boxes().seen().empty());
    EXPECT_TRUE(sameEvents(requests(0), {requestLine(SET, SELECT, REMOTE, 0),
                                         requestLine(SET, READ, 0, 0, ntStatusOfError(GEN_FAILURE)),
                                         requestLine(GET, READ, 0, 0)}));
}

TEST_F(RegisterRead, aPendingRequestIsWaitedForUntilTheDriverCompletesIt) {
    struct Case {
        const char* title;
        DWORD request, error;
        bool succeeds;
        DWORD value;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"get completes", CARD_REQUEST_READ_GET, 0, true, 9, {}},
        {"get fails late", CARD_REQUEST_READ_GET, NOT_READY, false, 9, GET_FAILURE_BOXES},
        {"select fails late", CARD_REQUEST_SELECT, GEN_FAILURE, false, 0, SELECT_FAILURE_BOXES},
        {"set half fails late", CARD_REQUEST_READ_SET, GEN_FAILURE, true, CARD_NO_KEY, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(card(0).reset());
        ASSERT_TRUE(card(0).press(9));
        ASSERT_TRUE(card(0).fault(c.request, c.error, CARD_PEND_HELD));
        const size_t boxesBefore = boxes().seen().size();

        std::atomic<bool> readReturned{false};
        std::atomic<bool> sawPending{false};
        std::thread finisher = finishHeldRequests(readReturned, sawPending);
        bool ok = !c.succeeds;
        const DWORD value = device.readRegister(REMOTE, &ok);
        readReturned = true;
        finisher.join();
        EXPECT_TRUE(sawPending) << "the read returned before its pending request was completed";
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(ok != FALSE, c.succeeds);
        const std::vector<std::string> all = boxes().seenLines();
        EXPECT_TRUE(
            sameEvents(std::vector<std::string>(all.begin() + boxesBefore, all.end()), c.boxes));
    }
}

TEST_F(RegisterRead, aTimedPendingGetDelaysTheReadByItsTime) {
    constexpr DWORD PEND_MS = 150;
    ASSERT_TRUE(card(0).press(9));
    ASSERT_TRUE(card(0).fault(CARD_REQUEST_READ_GET, 0, PEND_MS));
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    bool ok = false;
    EXPECT_EQ(device.readRegister(REMOTE, &ok), 9u);
    const double elapsedMs = millisecondsSince(start);
    EXPECT_TRUE(ok);
    const std::vector<CardLogEntry> entries = log(0);
    ASSERT_EQ(entries.size(), 3u);
    CardState state = {};
    ASSERT_TRUE(card(0).state(state));
    const double pendedMs =
        static_cast<double>(entries[2].completed - entries[2].time) * 1000.0 / state.frequency;
    EXPECT_GE(pendedMs, PEND_MS);
    EXPECT_GE(elapsedMs, PEND_MS);
}

// The failure status of each system error, through syncDeviceControl on a handle opened the way
// the filter opens it; pending completions go through GetOverlappedResult.
TEST_F(RegisterRead, syncDeviceControlMapsCompletionErrorsToFailureStatuses) {
    struct Case {
        DWORD error;
        DWORD pendMs;
        DWORD status;
    };
    const Case cases[] = {
        {0, 0, 0},
        {GEN_FAILURE, 0, 0x8007001F},
        {NOT_READY, 0, 0x80070015},
        {ERROR_IO_DEVICE, CARD_PEND_HELD, 0x8007045D},
        {0, CARD_PEND_HELD, 0},
        {ERROR_ACCESS_DENIED, 20, 0x80070005},
    };
    HANDLE device = CreateFileA(CardDevice::path(1).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "error " << c.error << ", pend " << c.pendMs);
        ASSERT_TRUE(card(1).fault(CARD_REQUEST_SELECT, c.error, c.pendMs));
        std::thread finisher([&] {
            CardDevice control(1);
            CardState state = {};
            if (c.pendMs == CARD_PEND_HELD)
                waitUntil([&] { return control.state(state) && state.pendingRequests > 0; }, 10000);
            control.finishHeld();
        });
        RegisterRequest request{};
        setRequestHeader(request, KSPROPERTY_FLAG_SET, CMD_SELECT_REGISTER);
        request.address = REMOTE;
        DWORD returned = 0;
        EXPECT_EQ(syncDeviceControl(device, KS_PROPERTY_IOCTL, &request, sizeof request, &request,
                                    sizeof request, &returned),
                  c.status);
        finisher.join();
    }
    CloseHandle(device);
}

// While a failure message is open its modal loop runs the poll timer: the nested reads neither
// show another set of messages nor reach the driver.
std::atomic<int> nestedReads{0};
std::atomic<int> nestedSuccesses{0};
CaptureDevice* polledDevice = nullptr;

// The poll timer's part: one read, as the poll cycle would make it.
void CALLBACK nestedPoll(HWND, UINT, UINT_PTR, DWORD) {
    bool ok = false;
    if (polledDevice->readRegister(REMOTE, &ok) != 0 || ok)
        ++nestedSuccesses;
    ++nestedReads;
}

TEST_F(RegisterRead, nestedReadsUnderAnOpenFailureMessageStaySilent) {
    nestedReads = 0;
    nestedSuccesses = 0;
    polledDevice = &device;
    ASSERT_TRUE(card(0).fault(CARD_REQUEST_SELECT, GEN_FAILURE));
    boxes().holdBoxesUntil([] { return nestedReads >= 3; });
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, nestedPoll);
    ASSERT_NE(timer, 0u);
    bool ok = true;
    EXPECT_EQ(device.readRegister(REMOTE, &ok), 0u);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(ok);
    EXPECT_GE(nestedReads, 3);
    EXPECT_EQ(nestedSuccesses, 0);
    EXPECT_TRUE(sameEvents(boxes().seenLines(), SELECT_FAILURE_BOXES));
    EXPECT_EQ(requests(0).size(), 1u);
}

} // namespace
