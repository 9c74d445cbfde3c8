// The remote monitor of the real program: the tray entry opens it, each press shows there with its
// button number, Copy puts it on the clipboard as text, and another program's WM_CLOSE closes it
// while the program goes on.
#include "harness/deadline.h"
#include "program/program_checks.h"
#include "program/program_fixture.h"
#include "program/screenshot.h"
#include "program/standins.h"

#include <string>

namespace {

using ProgramMonitor = ProgramFixture;

constexpr const char* MONITOR_CAPTION = "QN520 Remote Control - Remote monitor";
constexpr int COPY_BUTTON = 1004;

// Without LumenTVR installed the menu starts with a separator; Down selects "Remote monitor".
HWND openMonitor(const ProgramRun& run) {
    HWND menu = iconShownFor(run) ? openTrayMenu(run) : nullptr;
    if (!menu)
        return nullptr;
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return waitForDialog(run.processId(), MONITOR_CAPTION);
}

std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT))
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

// The line of the copy that holds `text`.
std::string lineWith(const std::string& copy, const std::string& text) {
    const size_t at = copy.find(text);
    if (at == std::string::npos)
        return "";
    const size_t start = copy.rfind('\n', at) + 1;
    return copy.substr(start, copy.find('\r', at) - start);
}

// Copies the monitor until the copy holds `wanted`; the whole copy at the end.
std::string copyShowing(HWND monitor, const std::string& wanted) {
    std::string copy;
    waitUntil(
        [&] {
            clickDialogButton(monitor, COPY_BUTTON);
            copy = clipboardText();
            return copy.find(wanted) != std::string::npos;
        },
        5000, 50);
    return copy;
}

TEST_F(ProgramMonitor, theTrayEntryOpensTheMonitorWhereEachPressShows) {
    InstalledStandin powerVcr(StandinRole::PowerVcr, "C:\\qn520-e2e\\PowerVCR");
    ASSERT_TRUE(powerVcr.ok() && powerVcr.startHere());
    ProgramRun run;
    startProgram(run);
    HWND monitor = openMonitor(run);
    ASSERT_NE(monitor, nullptr) << "no monitor";

    // Posted keys only: a chord would bring PowerVCR in front of the monitor.
    for (const char* key : {"5", "14", "16"})
        pressButton(key);
    holdButtonForReads("27", 12);
    const std::string copy = copyShowing(monitor, "PowerVCR II: key NumPlus");
    EXPECT_NE(copy.find("Capture filter: Solvanta QN52X Video Capture\r\n"), std::string::npos)
        << copy;
    // Code, button, repeats acted on and held back (27 was held for 12 reads), what the program
    // did, and the window in front: the monitor itself.
    const std::string held = lineWith(copy, "PowerVCR II: key NumPlus");
    for (const char* column : {"  0x16  ", "  27  ", "  1 / 10  ", "  qn520remote.exe  ",
                               "  #32770  ", "  QN520 Remote Control - Remote monitor"})
        EXPECT_NE(held.find(column), std::string::npos) << column << " in\n" << copy;
    EXPECT_TRUE(keepScreenshot(monitor, "remote_monitor.png"));

    // Another program closes it; the program reads on, and the entry opens a fresh one.
    PostMessageA(monitor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitUntilClosed(monitor));
    waitForReads(3);
    HWND again = openMonitor(run);
    ASSERT_NE(again, nullptr) << "no second monitor";
    EXPECT_NE(copyShowing(again, "PowerVCR II: key 5").find("PowerVCR II: key 5"),
              std::string::npos);
    exitProgram(run);
    EXPECT_TRUE(waitUntilClosed(again)) << "the monitor outlived the program";
}

} // namespace
