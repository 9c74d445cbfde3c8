#include "app/tray_icon.h"

#include "event_log_match.h"
#include "sim_fixture.h"

#include <shellapi.h>

namespace {

// What the shell is given: the first record layout, 88 bytes in a 32-bit build and 104 in a 64-bit
// one (the window and icon handles grow by 4 bytes each, and the record is padded to 8).
const std::string SIZE = sizeof(void*) == 4 ? "88" : "104";

std::string record(const char* verb, const char* flags, const char* callback, const char* icon,
                   const std::string& tip) {
    return std::string("Shell_NotifyIcon ") + verb + " size=" + SIZE + " window=main id=10" +
           " flags=" + flags + " callback=" + callback + " icon=" + icon + " tip=\"" + tip + "\"";
}
const std::string ADDED = record("NIM_ADD", "0x7", "0x3E9", "set", "QN520 Remote Control");
const std::string MODIFIED = record("NIM_MODIFY", "0x7", "0x3E9", "set", "QN520 Remote Control");
const std::string DELETED = record("NIM_DELETE", "0x0", "0x0", "null", "");

class TrayIconTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        main = sim::createWindow({"main", "QN520 Remote Control", "QN520 Remote Control"});
    }
    void add(const char* tip = "QN520 Remote Control") {
        icon.add(main, TRAY_ICON_ID, reinterpret_cast<HICON>(std::uintptr_t(0x50)), tip);
    }
    HWND main = nullptr;
    TrayIcon icon;
};

} // namespace

// The icon is deleted once, by remove or else by its holder going.
TEST_F(TrayIconTest, TheShellGetsExactlyTheRecordsOfAddMoveAndRemove) {
    add();
    icon.refresh();
    EXPECT_EQ(sim::trayIconCount(), 1);
    icon.remove();
    icon.remove();
    {
        TrayIcon held;
        held.add(main, TRAY_ICON_ID, reinterpret_cast<HICON>(std::uintptr_t(0x50)),
                 "QN520 Remote Control");
    }
    EXPECT_TRUE(sameEvents(sim::events(), {ADDED, MODIFIED, DELETED, ADDED, DELETED}));
    EXPECT_EQ(sim::trayIconCount(), 0);
}

TEST_F(TrayIconTest, AShellRestartBringsTheIconBackOnlyWhileItIsShown) {
    add();
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    const HICON reloaded = reinterpret_cast<HICON>(std::uintptr_t(0x51));
    EXPECT_FALSE(icon.isShellRestart(taskbarCreated + 1));
    EXPECT_TRUE(icon.isShellRestart(taskbarCreated));
    sim::restartShell();
    icon.restore(reloaded);
    EXPECT_EQ(sim::trayIconCount(), 1);
    sim::setNextNotifyIconFails(); // a shell that kept the icon (a DPI change) refuses the add
    icon.restore(reloaded);
    icon.remove();
    sim::restartShell();
    icon.restore(reloaded);
    EXPECT_TRUE(sameEvents(sim::events(), {ADDED, ADDED, ADDED, MODIFIED, DELETED}));
    EXPECT_EQ(sim::trayIconCount(), 0);
}

TEST_F(TrayIconTest, TheTipIsCutToTheFirstLayoutsSixtyFourBytes) {
    const std::string longTip(100, 'x');
    add(longTip.c_str());
    add(nullptr);
    EXPECT_TRUE(
        sameEvents(sim::events(), {record("NIM_ADD", "0x7", "0x3E9", "set", std::string(63, 'x')),
                                   record("NIM_ADD", "0x7", "0x3E9", "set", "")}));
}
