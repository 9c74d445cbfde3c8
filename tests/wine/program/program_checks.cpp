#include "program/program_checks.h"

#include "harness/deadline.h"
#include "program/shell_tray.h"

#include <cstdlib>
#include <sstream>

namespace {

// Scaling dialog units to pixels rounds; a control may land this far from the exact scale.
constexpr double LAYOUT_TOLERANCE_PX = 2.0;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += "\n  " + line;
    return text.empty() ? " (none)" : text;
}

bool withinTolerance(double actual, double expected) {
    return std::abs(actual - expected) <= LAYOUT_TOLERANCE_PX;
}

} // namespace

::testing::AssertionResult iconGoneBeforeTheWindow(const ProgramRun& run) {
    const std::string windowClass = std::string("class=") + PROGRAM_WINDOW_CLASS + " icon=";
    std::vector<std::string> seen;
    for (const char* event : {"destroy", "exit"})
        for (const std::string& line : run.probeLines(event))
            if (line.find(windowClass) != std::string::npos)
                seen.push_back(line);
    if (seen.empty())
        return ::testing::AssertionFailure()
               << "the probe saw no end of the program's window; its lines:"
               << joined(run.probeLines());
    for (const std::string& line : seen)
        if (line.back() != '0')
            return ::testing::AssertionFailure()
                   << "the shell still held the icon as the window ended:" << joined(seen);
    return ::testing::AssertionSuccess();
}

std::vector<std::string> windowsCreated(const ProgramRun& run) {
    std::vector<std::string> created;
    for (const std::string& line : run.probeLines("create"))
        if (line != "create class=IME")
            created.push_back(line);
    return created;
}

bool programWindowShown(const ProgramRun& run) {
    for (const std::string& line : run.probeLines("show"))
        if (line == std::string("show class=") + PROGRAM_WINDOW_CLASS)
            return true;
    return false;
}

::testing::AssertionResult iconShownFor(const ProgramRun& run, DWORD timeoutMs) {
    // Wine's shell creates the icon's window a moment after it has taken the icon.
    const bool shown = waitUntil(
        [&] {
            return trayIconWindows().size() == 1 && shellHoldsIcon(run.window(), PROGRAM_ICON_ID);
        },
        timeoutMs, 10);
    if (shown)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "tray icons: " << trayIconWindows().size()
           << ", the shell holds the program's: " << shellHoldsIcon(run.window(), PROGRAM_ICON_ID);
}

std::string iconControlText(int iconId) {
    return std::string(1, '?') + static_cast<char>(iconId & 0xFF);
}

::testing::AssertionResult hasTemplateControls(HWND dialog, int cx, int cy,
                                               const std::vector<ExpectedControl>& expected) {
    const std::vector<ControlInfo> controls = controlsOf(dialog);
    std::ostringstream problems;
    if (controls.size() != expected.size())
        problems << "\n  " << controls.size() << " controls, expected " << expected.size();
    RECT client;
    GetClientRect(dialog, &client);
    const double perUnitX = static_cast<double>(client.right) / cx;
    const double perUnitY = static_cast<double>(client.bottom) / cy;
    for (size_t i = 0; i < controls.size() && i < expected.size(); ++i) {
        const ControlInfo& actual = controls[i];
        const ExpectedControl& want = expected[i];
        std::ostringstream where;
        where << "\n  control " << i << " (" << actual.kind << " " << LOWORD(actual.id) << " \""
              << actual.text << "\"): ";
        if (_stricmp(actual.kind.c_str(), want.kind) != 0 || LOWORD(actual.id) != want.id ||
            actual.text != want.text)
            problems << where.str() << "expected " << want.kind << " " << want.id << " \""
                     << want.text << "\"";
        if ((actual.style & want.style) != want.style)
            problems << where.str() << "style 0x" << std::hex << actual.style << " lacks 0x"
                     << want.style << std::dec;
        // Icons size themselves to their image and a combo box's height is its closed
        // height, so those sizes are given as 0 and not checked.
        const bool placed = withinTolerance(actual.rect.left, want.x * perUnitX) &&
                            withinTolerance(actual.rect.top, want.y * perUnitY) &&
                            (want.cx == 0 || withinTolerance(actual.rect.right - actual.rect.left,
                                                             want.cx * perUnitX)) &&
                            (want.cy == 0 || withinTolerance(actual.rect.bottom - actual.rect.top,
                                                             want.cy * perUnitY));
        if (!placed)
            problems << where.str() << "at (" << actual.rect.left << ", " << actual.rect.top
                     << ") size " << actual.rect.right - actual.rect.left << " x "
                     << actual.rect.bottom - actual.rect.top << " px, expected (" << want.x << ", "
                     << want.y << ") " << want.cx << " x " << want.cy << " dialog units at "
                     << perUnitX << " x " << perUnitY << " px per unit";
    }
    if (problems.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the dialog's controls differ:" << problems.str();
}

::testing::AssertionResult placedForTheScreen(HWND dialog) {
    if (GetSystemMetrics(SM_CXFULLSCREEN) != 1024)
        return ::testing::AssertionFailure()
               << "the test display is not 1024 pixels wide (the rig's Xvfb screen is)";
    RECT at;
    GetWindowRect(dialog, &at);
    const bool topmost = (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (at.left == 350 && at.top == 300 && topmost)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "placed at (" << at.left << ", " << at.top
                                         << "), topmost " << topmost << "; expected (350, 300)";
}

std::vector<HWND> programMenus(const ProgramRun& run) {
    return visibleWindowsOf(run.processId(), "#32768");
}

HWND openTrayMenu(const ProgramRun& run) {
    if (!clickOnlyTrayIcon(WM_RBUTTONDOWN))
        return nullptr;
    std::vector<HWND> menus;
    if (!waitUntil([&] { return !(menus = programMenus(run)).empty(); }, 5000))
        return nullptr;
    return menus[0];
}

std::vector<std::string> lastMenuSeen(const ProgramRun& run) {
    const std::vector<std::string> lines = run.probeLines();
    std::vector<std::string> menu;
    for (const std::string& line : lines) {
        if (line.compare(0, 5, "menu ") == 0)
            menu.assign(1, line);
        else if (line.compare(0, 5, "item ") == 0 && !menu.empty())
            menu.push_back(line);
    }
    return menu;
}
