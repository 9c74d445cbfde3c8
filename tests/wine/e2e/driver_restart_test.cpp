// What Wine does with the card's handles when the driver's host process ends and the driver is
// started again: the answers that the program's reopening of the capture device relies on.
#include "card_fixture.h"
#include "harness/card_service.h"
#include "remote/device_control.h"
#include "remote/register_request.h"

namespace {

class DriverHostEnded : public CardFixture {
protected:
    void TearDown() override {
        // Whatever failed, the tests after this one need the driver back.
        std::string problem;
        EXPECT_TRUE(ensureCardDriver(&problem)) << problem;
        for (DWORD i = 0; i < CARD_DEVICE_COUNT; ++i)
            card(i).reopen();
        CardFixture::TearDown();
    }
};

HANDLE openLikeTheFilter() {
    return CreateFileA(CardDevice::path(0).c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED, nullptr);
}

// The status of one select request, sent on `device` as the program sends it.
DWORD selectStatus(HANDLE device) {
    RegisterRequest request{};
    setRequestHeader(request, KSPROPERTY_FLAG_SET, CMD_SELECT_REGISTER);
    request.address = REMOTE_CODE_REGISTER;
    DWORD returned = 0;
    return syncDeviceControl(device, KS_PROPERTY_IOCTL, &request, sizeof request, &request,
                             sizeof request, &returned);
}

// A handle opened before the host ended fails every request at once with ERROR_ACCESS_DENIED, a
// code a live driver may give as well, and stays dead after the driver is back. While the driver
// is away its device cannot be opened; once it is back, the filter found afresh reaches the
// restarted card, which starts idle.
TEST_F(DriverHostEnded, oldHandlesFailForGoodAndTheFilterFoundAfreshReadsTheRestartedCard) {
    registerFilters({{0, "Solvanta QN52X Video Capture", 0, ""}});
    ASSERT_TRUE(device.open());
    const HANDLE old = openLikeTheFilter();
    ASSERT_NE(old, INVALID_HANDLE_VALUE);
    ASSERT_EQ(selectStatus(device.handle()), 0u);
    ASSERT_TRUE(card(0).press(30));

    std::string problem;
    ASSERT_TRUE(endCardDriverHost(&problem)) << problem;
    const DWORD denied = statusFromError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(selectStatus(device.handle()), denied);
    EXPECT_EQ(selectStatus(old), denied);
    SetLastError(0);
    EXPECT_EQ(openLikeTheFilter(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    device.reopenAtNextRead();

    ASSERT_TRUE(ensureCardDriver(&problem)) << problem;
    EXPECT_EQ(selectStatus(old), denied);
    EXPECT_TRUE(CloseHandle(old));
    ASSERT_TRUE(device.open());
    bool ok = false;
    EXPECT_EQ(device.readRegister(REMOTE_CODE_REGISTER, &ok), CARD_NO_KEY);
    EXPECT_TRUE(ok);
    device.reopenAtNextRead();
    EXPECT_TRUE(boxes().seen().empty());
}

} // namespace
