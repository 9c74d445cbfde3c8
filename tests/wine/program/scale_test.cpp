// The program at a display scale of 200 % (Wine's LogPixels at 192): About, Setting, the remote
// monitor and the teaching dialog are drawn at that scale, each template's dialog units twice as
// many pixels as at 96 DPI, with every control inside its dialog (their screenshots, "-192", are
// for a look at nothing clipped). Wine tells every process, declared or not, that it is aware of
// each monitor's scale, so the declaration itself is the exe check's to find.
#include "program/foreign_windows.h"
#include "program/program_fixture.h"
#include "program/screenshot.h"

namespace {

using ProgramScale = ProgramFixture;

constexpr const char* DESKTOP = "Control Panel\\Desktop";

// The scale that processes started from now on take; 0 gives the value back.
void setLogPixels(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DESKTOP, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (dpi)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    else
        RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
}

::testing::AssertionResult controlsInside(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    for (const ControlInfo& control : controlsOf(dialog))
        if (control.rect.left < 0 || control.rect.top < 0 || control.rect.right > client.right ||
            control.rect.bottom > client.bottom)
            return ::testing::AssertionFailure()
                   << control.kind << " " << control.id << " \"" << control.text
                   << "\" reaches outside the dialog's " << client.right << " x " << client.bottom;
    return ::testing::AssertionSuccess();
}

TEST_F(ProgramScale, atTwiceTheScaleTheDialogsAreDrawnAtItAndHoldTheirControls) {
    setLogPixels(192);
    ProgramRun run;
    startProgram(run);
    const struct {
        WPARAM command;
        const char* caption;
        int templateWidth; // in dialog units: about 1.75 pixels each at 96 DPI, 3.5 at 192
        const char* screenshot;
    } dialogs[] = {
        {30, "QN520 Remote Control - About", 250, "about-192.png"},
        {32, "QN520 Remote Control - Setting", 200, "setting-192.png"},
        {33, "QN520 Remote Control - Remote monitor", 520, "remote_monitor-192.png"},
        {35, "QN520 Remote Control - Teach the remote", 310, "teach-192.png"},
    };
    for (const auto& shown : dialogs) {
        PostMessageA(run.window(), WM_COMMAND, shown.command, 0);
        HWND dialog = waitForDialog(run.processId(), shown.caption);
        ASSERT_NE(dialog, nullptr) << shown.caption;
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_GT(client.right, shown.templateWidth * 5 / 2) << shown.caption << ": not at 200 %";
        EXPECT_TRUE(controlsInside(dialog)) << shown.caption;
        EXPECT_TRUE(keepScreenshot(dialog, shown.screenshot));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(waitUntilClosed(dialog));
    }
    exitProgram(run);
    setLogPixels(0);
}

} // namespace
