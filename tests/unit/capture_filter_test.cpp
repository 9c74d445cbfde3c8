// Finding the card's capture filter among the video input devices: the accepted names and their
// precedence, the enumerator's order, refused near-misses, and COM's inits and references, even
// once the device is closed or destroyed.
#include "remote/capture_device.h"

#include "sim_fixture.h"

#include <string>
#include <vector>

namespace {

const std::string SOLVANTA = "Solvanta QN52X Video Capture";
const std::string TAVIRO = "Taviro QN52X Video Capture";
const std::string CONEXANT = "Conexant 2388x Video Capture";

// Device n's filter gives handle n + 1, so the handle tells which device was chosen.
HANDLE handleOf(int device) {
    return device < 0 ? nullptr : reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(device + 1));
}

using CaptureFilterSearch = SimTest;

TEST_F(CaptureFilterSearch, acceptedNamesInPrecedenceEachSearchedOverAllDevices) {
    struct Case {
        const char* title;
        std::vector<std::optional<std::string>> names; // in the enumerator's order
        int chosen;                                    // -1: none
        int passes;                                    // one per name searched for
    };
    const Case cases[] = {
        {"Conexant alone", {CONEXANT}, 0, 3},
        {"Taviro after Conexant", {CONEXANT, TAVIRO}, 1, 2},
        {"Solvanta last of three", {CONEXANT, TAVIRO, SOLVANTA}, 2, 1},
        {"Solvanta first of three", {SOLVANTA, TAVIRO, CONEXANT}, 0, 1},
        {"other devices ahead are passed over", {"USB Video Device", CONEXANT}, 1, 3},
        {"two with the same name: the first listed", {TAVIRO, TAVIRO}, 0, 2},
        {"names differing in case or blanks are refused",
         {"solvanta qn52x video capture", "SOLVANTA QN52X VIDEO CAPTURE", SOLVANTA + " ",
          TAVIRO + "  ", "Conexant 2388X Video Capture", CONEXANT + "\t", " " + CONEXANT, ""},
         -1,
         3},
        {"a name longer than the buffer is refused", {SOLVANTA + std::string(200, 'x')}, -1, 3},
        {"a device without a name is passed over", {std::nullopt, TAVIRO}, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        sim::reset();
        std::vector<sim::VideoInputDevice> devices;
        for (const std::optional<std::string>& name : c.names)
            devices.push_back({name, handleOf(static_cast<int>(devices.size()))});
        sim::setVideoInputDevices(devices);

        MessageBoxGuard boxes;
        CaptureDevice device(boxes);
        EXPECT_EQ(device.open(), c.chosen >= 0);
        EXPECT_EQ(device.isOpen(), c.chosen >= 0);
        EXPECT_EQ(device.handle(), handleOf(c.chosen));
        EXPECT_EQ(sim::deviceEnumerations(), c.passes);
        EXPECT_EQ(sim::comReferences(), c.chosen >= 0 ? 1 : 0) << "only the filter is held";
        EXPECT_EQ(sim::comInitCount(), 1) << "found or not";
        device.reopenAtNextRead();
        EXPECT_EQ(sim::comReferences(), 0);
        EXPECT_EQ(sim::comInitCount(), 0);
    }
}

// A device destroyed while open lets go of its filter and of COM as letting go for a reopen does;
// one never opened leaves COM alone.
TEST_F(CaptureFilterSearch, aDestroyedDeviceLetsGoOfItsFilter) {
    sim::setCaptureDevice(sim::DeviceState::Present);
    MessageBoxGuard boxes;
    {
        CaptureDevice device(boxes);
        ASSERT_TRUE(device.open());
        EXPECT_EQ(device.handle(), sim::captureDeviceHandle());
    }
    EXPECT_EQ(sim::comReferences(), 0);
    EXPECT_EQ(sim::comInitCount(), 0);
    { CaptureDevice neverOpened(boxes); }
    EXPECT_EQ(sim::comInitCount(), 0);
}

} // namespace
