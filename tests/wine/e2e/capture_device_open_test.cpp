// Finding the card's capture filter through Wine's device enumerator: the enumerator's order, an
// empty category, a filter without a kernel-streaming handle, and opening again after a close.
// Each card device shows its own key, so the value a read returns tells which device, and so
// which filter, the program chose. The accepted names, their precedence and refused near-misses
// are proven in the unit tests.
#include "card_fixture.h"
#include "unit/event_log_match.h"

namespace {

const char* const SOLVANTA = "Solvanta QN52X Video Capture";
const char* const TAVIRO = "Taviro QN52X Video Capture";
const char* const NOT_FOUND_BOX = "Message | Unable to find Cx23880 Video Capture";

// Device n holds raw code FIRST_DEVICE_KEY + n down.
constexpr DWORD FIRST_DEVICE_KEY = 10;

class CaptureDeviceOpen : public CardFixture {
protected:
    void SetUp() override {
        CardFixture::SetUp();
        for (DWORD i = 0; i < CARD_DEVICE_COUNT; ++i)
            ASSERT_TRUE(card(i).press(FIRST_DEVICE_KEY + i));
    }

    // The device that answers a read, or -1 when the read failed.
    int answeringDevice() {
        bool ok = false;
        const DWORD value = device.readRegister(REMOTE_CODE_REGISTER, &ok);
        return ok ? static_cast<int>(value) - static_cast<int>(FIRST_DEVICE_KEY) : -1;
    }
};

// Instance names fix the enumerator's order: Wine lists a category by instance key name.
FilterRegistration filter(DWORD slot, const char* name, int device, const char* instance) {
    return {slot, name, device, instance};
}

TEST_F(CaptureDeviceOpen, wineListsTheCategoryByInstanceNameNotByRegistrationOrder) {
    registerFilters({filter(0, "zeta", 0, "Zeta"), filter(1, "alpha", 0, "alpha"),
                     filter(2, "mid", 0, "Mid"), filter(3, "beta", 0, "BETA")});
    std::vector<std::string> names;
    for (const VideoInputDevice& listed : videoInputDevices())
        names.push_back(listed.friendlyName);
    EXPECT_TRUE(sameEvents(names, {"alpha", "beta", "mid", "zeta"}));
}

TEST_F(CaptureDeviceOpen, anEmptyCategoryOpensNothingAndShowsNoMessage) {
    EXPECT_FALSE(device.open());
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(boxes().seen().empty());

    // A read then opens again, finds nothing and says so.
    bool ok = true;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sameEvents(boxes().seenLines(), {NOT_FOUND_BOX}));
}

TEST_F(CaptureDeviceOpen, aFilterWithoutKernelHandleFailsEveryReadWithAMessage) {
    registerFilters({filter(0, SOLVANTA, SIM_FILTER_NO_DEVICE, ""), filter(1, TAVIRO, 1, "")});
    EXPECT_TRUE(device.open());
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(device.handle(), nullptr);

    for (int read = 0; read < 2; ++read) {
        bool ok = true;
        EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), 0u);
        EXPECT_FALSE(ok);
    }
    EXPECT_TRUE(sameEvents(boxes().seenLines(), {NOT_FOUND_BOX, NOT_FOUND_BOX}));
    for (const SeenMessageBox& box : boxes().seen()) {
        EXPECT_FALSE(box.owned);
        EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    }
    for (DWORD i = 0; i < CARD_DEVICE_COUNT; ++i)
        EXPECT_TRUE(requests(i).empty()) << "device " << i;
}

TEST_F(CaptureDeviceOpen, aReadAfterCloseOpensTheDeviceAgain) {
    registerFilters({filter(0, SOLVANTA, 3, "")});
    EXPECT_TRUE(device.open());
    EXPECT_EQ(answeringDevice(), 3);
    device.reopenAtNextRead();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.handle(), nullptr);

    EXPECT_EQ(answeringDevice(), 3);
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(requests(3).size(), 6u);

    // Closed again with the card gone: the read's own open finds nothing.
    device.reopenAtNextRead();
    std::string problem;
    ASSERT_TRUE(clearVideoInputCategory(&problem)) << problem;
    EXPECT_EQ(answeringDevice(), -1);
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(sameEvents(boxes().seenLines(), {NOT_FOUND_BOX}));
}

} // namespace
