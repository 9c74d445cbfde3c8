// The About dialog, and where the About and Setting dialogs appear on each screen width.
#include "app/about_dialog.h"
#include "app/setting_dialog.h"

#include "app/resource_ids.h"
#include "event_log_match.h"
#include "program_fixture.h"

#include <string>
#include <vector>

using DialogTest = ProgramTest;

namespace {

std::vector<std::string> placementOf(SingleDialog& dialog, HWND owner) {
    sim::clearEvents();
    sim::setDialogHook([](HWND open, int) { SendMessageA(open, WM_COMMAND, IDCANCEL, 0); });
    dialog.show(nullptr, owner);
    return sim::eventsStartingWith({"SetWindowPos"});
}

} // namespace

TEST_F(DialogTest, AboutAndSettingAreMovedAndMadeTopmostOnKnownWidthsOnly) {
    struct Case {
        int width;
        const char* placement; // the SetWindowPos line, or null for none
    };
    const Case cases[] = {
        {640, "x=160 y=200"},  {800, "x=280 y=250"},  {1024, "x=350 y=300"},
        {1152, "x=420 y=300"}, {1280, "x=420 y=300"}, {1600, "x=580 y=340"},
        {1366, nullptr},       {1920, nullptr},       {0, nullptr},
    };
    for (const Case& c : cases) {
        for (const auto& [templateId, dialog] :
             {std::pair<int, SingleDialog*>{IDD_ABOUT, &shell().about},
              std::pair<int, SingleDialog*>{IDD_SETTING, &shell().setting}}) {
            sim::setFullScreenSize(c.width, 600);
            const std::string label = "dialog:" + std::to_string(templateId);
            const std::vector<std::string> expected =
                c.placement ? std::vector<std::string>{"SetWindowPos " + label + " after=topmost " +
                                                       c.placement + " cx=0 cy=0 flags=0x1"}
                            : std::vector<std::string>{};
            EXPECT_TRUE(sameEvents(placementOf(*dialog, mainWindow), expected))
                << label << " at width " << c.width;
        }
    }
}

TEST_F(DialogTest, AboutEndsWithOkOrCancelAndIgnoresEverythingElse) {
    struct Case {
        WPARAM command;
        INT_PTR result;
    };
    // The high word of a command is the notification code; only the low word counts.
    const Case cases[] = {
        {IDOK, IDOK}, {IDCANCEL, IDCANCEL}, {static_cast<WPARAM>(MAKELONG(IDCANCEL, 1)), IDCANCEL}};
    for (const Case& c : cases) {
        sim::setDialogHook([&](HWND dialog, int) {
            EXPECT_EQ(SendMessageA(dialog, WM_COMMAND, 3, 0), FALSE);
            EXPECT_EQ(SendMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0), FALSE);
            EXPECT_EQ(sim::openDialogs(), 1);
            SendMessageA(dialog, WM_COMMAND, c.command, 0);
        });
        EXPECT_EQ(shell().about.show(nullptr, mainWindow), c.result);
    }
    EXPECT_EQ(sim::eventsStartingWith({"DialogBox abandoned"}).size(), 0u);
}

// Aware of the display's scale, the program still places its dialogs as it did when the system
// scaled it: the same screens, the same places on them.
TEST_F(DialogTest, AtEveryScaleTheDialogsLandWhereTheyDidAt96Dpi) {
    const struct {
        int dpi, width;
        const char* placement;
    } rows[] = {
        {96, 1280, "x=420 y=300"},  {144, 1920, "x=630 y=450"},
        {192, 2560, "x=840 y=600"}, {144, 1280, nullptr}, // 853 pixels of 96 DPI: no known width
        {144, 1200, "x=420 y=375"},                       // 800 at 96 DPI
    };
    for (const auto& row : rows) {
        fake::setSystemDpi(row.dpi);
        sim::setFullScreenSize(row.width, 600);
        const std::vector<std::string> placed = placementOf(shell().about, mainWindow);
        EXPECT_EQ(placed.empty() ? "" : placed[0],
                  row.placement ? std::string("SetWindowPos dialog:21 after=topmost ") +
                                      row.placement + " cx=0 cy=0 flags=0x1"
                                : "")
            << row.dpi << " DPI, " << row.width;
    }
}
