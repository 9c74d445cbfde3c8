#include "settings/system_shutdown.h"
#include "settings/windows_family.h"

#include "event_log_match.h"
#include "sim_fixture.h"

namespace {

const std::vector<std::string> NT_PRIVILEGE_CALLS = {
    "OpenProcessToken process=0xFFFFFFFFFFFFFFFF access=0x28",
    "LookupPrivilegeValue system=null name=\"SeShutdownPrivilege\"",
    "AdjustTokenPrivileges disableAll=0 count=1 luid=0:19 attributes=0x2 bufferLength=0 "
    "previous=null returned=null",
};

std::vector<std::string> withExit(std::vector<std::string> calls) {
    calls.push_back("ExitWindowsEx flags=0xC reason=0x0");
    return calls;
}

class Shutdown : public SimTest {
protected:
    std::vector<std::string> calls() {
        return sim::eventsStartingWith({"OpenProcessToken", "LookupPrivilegeValue",
                                        "AdjustTokenPrivileges", "ExitWindowsEx", "MessageBox"});
    }
};

} // namespace

TEST_F(Shutdown, TellsTheFamilies) {
    EXPECT_EQ(isWindows9x(), 0);
    sim::setWindows9x(true);
    EXPECT_EQ(isWindows9x(), 1);
}

TEST_F(Shutdown, Windows9xAsksForAPlainShutdown) {
    sim::setWindows9x(true);
    sim::setExitWindowsResult(FALSE, ERROR_ACCESS_DENIED);
    shutDownComputer();
    EXPECT_TRUE(sameEvents(calls(), {"ExitWindowsEx flags=0x1 reason=0x0"}))
        << "no privilege touched, and a refusal is not reported";
}

TEST_F(Shutdown, NtEnablesThePrivilegeAndForcesAPowerOff) {
    shutDownComputer();
    EXPECT_TRUE(sameEvents(calls(), withExit(NT_PRIVILEGE_CALLS)));
    EXPECT_EQ(sim::openHandleCount(), 0) << "the token is closed";
}

TEST_F(Shutdown, AUserWithoutThePrivilegeGetsNeitherShutdownNorMessage) {
    sim::setShutdownPrivilegeHeld(false);
    shutDownComputer();
    EXPECT_TRUE(sameEvents(calls(), NT_PRIVILEGE_CALLS));
    EXPECT_EQ(sim::openHandleCount(), 0);
}

TEST_F(Shutdown, AFailedLookupShowsUpAsAnUnassignedPrivilege) {
    sim::setLookupPrivilegeFails(true);
    shutDownComputer();
    EXPECT_TRUE(sim::eventsStartingWith({"ExitWindowsEx", "MessageBox"}).empty());
}

TEST_F(Shutdown, ATokenThatCannotBeOpenedStopsQuietly) {
    sim::setOpenTokenFails(true);
    shutDownComputer();
    EXPECT_TRUE(sameEvents(calls(), {NT_PRIVILEGE_CALLS[0]}));
}

TEST_F(Shutdown, ARefusedPowerOffIsReported) {
    sim::setExitWindowsResult(FALSE, ERROR_ACCESS_DENIED);
    shutDownComputer();
    auto expected = withExit(NT_PRIVILEGE_CALLS);
    expected.push_back("MessageBox owner=null text=\"Can't run ExitWindowsEx.\" "
                       "caption=\"QN520 Remote Control\" type=0x0");
    EXPECT_TRUE(sameEvents(calls(), expected));
}
