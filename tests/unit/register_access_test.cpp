#include "remote/capture_device.h"
#include "remote/device_control.h"
#include "remote/register_request.h"

#include "event_log_match.h"
#include "sim_fixture.h"

#include <cstring>

namespace {

std::vector<BYTE> requestBytes(DWORD flags, DWORD command, DWORD address) {
    std::vector<BYTE> bytes = {0x10, 0x1A, 0x4A, 0xC4, 0x37, 0x0A, 0xD2, 0x11,
                               0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB};
    for (DWORD word : {DWORD(6), flags, command, address, DWORD(0), DWORD(0)})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(word >> (8 * i)));
    return bytes;
}

std::string box(const char* text, const char* caption) {
    return std::string("MessageBox owner=null text=\"") + text + "\" caption=\"" + caption +
           "\" type=0x0";
}

class RegisterAccess : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        sim::setCaptureDevice(sim::DeviceState::Present);
        ASSERT_TRUE(device.open());
        sim::clearEvents();
    }

    std::vector<std::string> boxes() { return sim::eventsStartingWith({"MessageBox"}); }

    MessageBoxGuard guard;
    CaptureDevice device{guard};
};

} // namespace

TEST_F(RegisterAccess, AReadSendsSelectThenBothHalvesOfTheRead) {
    sim::pressRemoteKey(30);
    bool ok = false;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 30u);
    EXPECT_TRUE(ok);

    const auto& requests = sim::deviceRequests();
    ASSERT_EQ(requests.size(), 3u);
    const std::vector<BYTE> expected[] = {
        requestBytes(2, 0x30000001, 0x350014),
        requestBytes(2, 0x30000003, 0),
        requestBytes(1, 0x30000003, 0),
    };
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(requests[i].code, 0x002F0003u) << i;
        EXPECT_EQ(requests[i].inLength, 40u) << i;
        EXPECT_EQ(requests[i].outLength, 40u) << i;
        EXPECT_TRUE(requests[i].sameBuffer) << i;
        EXPECT_TRUE(requests[i].overlapped) << i;
        EXPECT_EQ(requests[i].bytes, expected[i]) << "request " << i;
    }
    EXPECT_EQ(sim::openHandleCount(), 0) << "every request's event is closed";
    EXPECT_TRUE(boxes().empty());
}

TEST_F(RegisterAccess, NoKeyReadsAsBit6) {
    bool ok = false;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0x40u);
    EXPECT_TRUE(ok);
}

TEST_F(RegisterAccess, TheGetHalfGoesOutWithThePayloadTheSetHalfLeft) {
    // A driver that writes into the payload on the set half sees it again on the get half.
    sim::injectDeviceFault(sim::RequestKind::ReadSet, sim::failure(0, 0xABCDu));
    device.readRegister(REMOTE_CODE_REGISTER);
    const auto& get = sim::deviceRequests().at(2).bytes;
    DWORD value = 0;
    std::memcpy(&value, get.data() + 32, 4);
    EXPECT_EQ(value, 0xABCDu);
}

struct StatusCase {
    const char* name;
    std::optional<sim::DeviceFault> fault;
    DWORD expected;
};

TEST_F(RegisterAccess, StatusMapping) {
    const StatusCase cases[] = {
        {"success", std::nullopt, 0},
        {"failure", sim::failure(ERROR_GEN_FAILURE), 0x8007001Fu},
        {"failure keeps the low 16 bits", sim::failure(0x12345), 0x80072345u},
        {"failure with last error 0 counts as success", sim::failure(0), 0},
        {"pending, then success", sim::pendingThenSuccess(), 0},
        {"pending, then failure", sim::pendingThenFailure(ERROR_ACCESS_DENIED), 0x80070005u},
        {"pending, then failure with last error 0", sim::pendingThenFailure(0), 0},
    };
    for (const StatusCase& c : cases) {
        sim::reset();
        sim::setCaptureDevice(sim::DeviceState::Present);
        if (c.fault)
            sim::injectDeviceFault(sim::RequestKind::Any, *c.fault);
        RegisterRequest request{};
        setRequestHeader(request, KSPROPERTY_FLAG_SET, CMD_SELECT_REGISTER);
        DWORD returned = 0;
        EXPECT_EQ(syncDeviceControl(sim::captureDeviceHandle(), KS_PROPERTY_IOCTL, &request,
                                    sizeof request, &request, sizeof request, &returned),
                  c.expected)
            << c.name;
        const bool pending = c.fault && c.fault->pending;
        EXPECT_EQ(sim::eventsStartingWith({"GetOverlappedResult"}),
                  pending ? std::vector<std::string>{"GetOverlappedResult wait=0"}
                          : std::vector<std::string>{})
            << c.name << ": the result is taken once the wait has seen it complete";
        EXPECT_EQ(sim::openHandleCount(), 0) << c.name;
    }
}

TEST_F(RegisterAccess, NoEventMeansNoRequest) {
    sim::setCreateEventFails(ERROR_NOT_ENOUGH_MEMORY);
    RegisterRequest request{};
    DWORD returned = 0;
    EXPECT_EQ(syncDeviceControl(sim::captureDeviceHandle(), KS_PROPERTY_IOCTL, &request,
                                sizeof request, &request, sizeof request, &returned),
              0x80070008u);
    EXPECT_TRUE(sim::deviceRequests().empty());
}

TEST_F(RegisterAccess, APendingReadIsWaitedFor) {
    sim::pressRemoteKey(5);
    sim::injectDeviceFault(sim::RequestKind::ReadGet, sim::pendingThenSuccess());
    bool ok = false;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 5u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(RegisterAccess, SelectFailureShowsTwoBoxesAndSendsNoRead) {
    sim::injectDeviceFault(sim::RequestKind::Select, sim::failure(ERROR_GEN_FAILURE));
    bool ok = true;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(boxes(), {box("FAILED", "FAILED to set REGISTER address"),
                                     box("Unable to set Register address", "Error")}));
    EXPECT_EQ(sim::deviceRequestSummary(), std::vector<std::string>{"select 0x350014"});
}

TEST_F(RegisterAccess, GetFailureShowsTwoBoxesAndYieldsTheValueWordAsAFailedRead) {
    sim::injectDeviceFault(sim::RequestKind::ReadGet, sim::failure(ERROR_GEN_FAILURE, 0x1Eu));
    bool ok = true;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0x1Eu);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(boxes(), {box("FAILED", "FAILED REGISTER READ"),
                                     box("Cx23880 Register Read failed", "Info")}));
}

TEST_F(RegisterAccess, AFailedSetHalfIsIgnored) {
    sim::pressRemoteKey(7);
    sim::injectDeviceFault(sim::RequestKind::ReadSet, sim::failure(ERROR_GEN_FAILURE));
    bool ok = false;
    device.readRegister(REMOTE_CODE_REGISTER, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sim::deviceRequests().size(), 3u);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(RegisterAccess, BoxesNeverStackUnderNestedPolls) {
    // The poll timer keeps firing inside the box's modal loop.
    static int nestedReads;
    static CaptureDevice* polled;
    nestedReads = 0;
    polled = &device;
    SetTimer(nullptr, 1, 65, [](HWND, UINT, UINT_PTR, DWORD) {
        ++nestedReads;
        bool ok = true;
        polled->readRegister(REMOTE_CODE_REGISTER, &ok);
        EXPECT_FALSE(ok);
    });
    sim::setMessageBoxHook([](const sim::ModalBox&) {
        sim::advance(1000);
        return IDOK;
    });
    sim::injectDeviceFault(sim::RequestKind::Select, sim::failure(ERROR_GEN_FAILURE));
    sim::injectDeviceFault(sim::RequestKind::Select, sim::failure(ERROR_GEN_FAILURE));
    device.readRegister(REMOTE_CODE_REGISTER);

    EXPECT_GT(nestedReads, 20);
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_EQ(sim::deviceRequests().size(), 1u) << "nested polls send nothing";

    // Once the set is closed, the next poll reads (and reports) again.
    sim::setMessageBoxHook(nullptr);
    device.readRegister(REMOTE_CODE_REGISTER);
    EXPECT_EQ(boxes().size(), 4u);
}

TEST_F(RegisterAccess, AFilterWithoutHandleReportsEveryReadAndIsLookedForAgain) {
    device.reopenAtNextRead();
    sim::setCaptureDevice(sim::DeviceState::NoHandle);
    ASSERT_TRUE(device.open());
    sim::clearEvents();
    for (int i = 0; i < 2; ++i) {
        bool ok = true;
        EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0u);
        EXPECT_FALSE(ok);
    }
    EXPECT_TRUE(sameEvents(boxes(), {box("Unable to find Cx23880 Video Capture", "Message"),
                                     box("Unable to find Cx23880 Video Capture", "Message")}));
    EXPECT_TRUE(sim::deviceRequests().empty());
    EXPECT_EQ(sim::deviceEnumerations(), 3) << "each failed read lets the filter go";
    EXPECT_EQ(sim::comInitCount(), 0);
}

// The device goes away (its driver restarted): the read fails, the messages are shown, and the
// device is let go. While it stays away every read says so; once it is back, the next read opens
// it and reads, with COM's opens and closes even.
TEST_F(RegisterAccess, ALostDeviceIsOpenedAgainOnceItIsBack) {
    sim::pressRemoteKey(5);
    sim::setCaptureDevice(sim::DeviceState::Absent); // the held handle is dead
    bool ok = true;
    device.readRegister(REMOTE_CODE_REGISTER, &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(device.isOpen());
    device.readRegister(REMOTE_CODE_REGISTER, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(boxes(), {box("FAILED", "FAILED to set REGISTER address"),
                                     box("Unable to set Register address", "Error"),
                                     box("Unable to find Cx23880 Video Capture", "Message")}));

    sim::setCaptureDevice(sim::DeviceState::Present);
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 5u);
    EXPECT_TRUE(ok);
    // Opened three times: the open while it was away passed over the devices once per name.
    EXPECT_EQ(sim::deviceEnumerations(), 1 + 3 + 1);
    EXPECT_EQ(sim::comInitCount(), 1);
}

// A request that never completes is given up after the bound and cancelled: the read fails with
// the messages of the half it hung in, and a hung set half sends no get half after it. Whether
// or not the driver honours the cancellation, the request's buffer and event stay valid until it
// lets go of them, and are freed once it has.
TEST_F(RegisterAccess, AHungRequestIsGivenUpAfterTheBound) {
    struct Case {
        const char* name;
        sim::RequestKind kind;
        bool ignoresCancel;
        DWORD blockedMs;
        std::vector<std::string> requests;
        std::vector<std::string> messages;
    };
    const std::vector<std::string> getFailure = {box("FAILED", "FAILED REGISTER READ"),
                                                 box("Cx23880 Register Read failed", "Info")};
    const Case cases[] = {
        {"get, cancelled",
         sim::RequestKind::ReadGet,
         false,
         250,
         {"select 0x350014", "read-set 0x0", "read-get 0x0"},
         getFailure},
        {"get, cancel ignored",
         sim::RequestKind::ReadGet,
         true,
         350,
         {"select 0x350014", "read-set 0x0", "read-get 0x0"},
         getFailure},
        {"set half",
         sim::RequestKind::ReadSet,
         false,
         250,
         {"select 0x350014", "read-set 0x0"},
         getFailure},
        {"select",
         sim::RequestKind::Select,
         true,
         350,
         {"select 0x350014"},
         {box("FAILED", "FAILED to set REGISTER address"),
          box("Unable to set Register address", "Error")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.reopenAtNextRead();
        SetUp();
        sim::pressRemoteKey(5);
        sim::injectDeviceFault(c.kind, sim::hangs(c.ignoresCancel));
        bool ok = true;
        device.readRegister(REMOTE_CODE_REGISTER, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(sim::tickCount(), c.blockedMs);
        EXPECT_EQ(sim::eventsStartingWith({"CancelIo"}).size(), 1u);
        EXPECT_EQ(sim::deviceRequestSummary(), c.requests);
        EXPECT_TRUE(sameEvents(boxes(), c.messages));
        EXPECT_EQ(sim::openHandleCount(), c.ignoresCancel ? 1 : 0) << "the event outlives the wait";

        sim::finishHungRequests(); // a late driver writes its answer and signals the event
        EXPECT_TRUE(sim::eventsStartingWith({"completion"}).empty());
        EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 5u) << "the next read works";
        EXPECT_TRUE(ok);
        EXPECT_EQ(sim::openHandleCount(), 0) << "freed once the driver let go";
    }
}

TEST_F(RegisterAccess, AReadAfterCloseOpensTheDeviceAgain) {
    device.reopenAtNextRead();
    sim::pressRemoteKey(3);
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER), 3u);
    EXPECT_EQ(sim::deviceEnumerations(), 2);

    device.reopenAtNextRead();
    sim::setCaptureDevice(sim::DeviceState::Absent);
    sim::clearEvents();
    bool ok = true;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(sim::events(),
                           {"CoInitialize", box("Unable to find Cx23880 Video Capture", "Message"),
                            "CoUninitialize"}));
}
