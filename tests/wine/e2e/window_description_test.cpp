// The file name of a window's program, the two ways the program learns it: the call of later
// Windows (which Wine has) and the Tool Help process list that older ones fall back to.
#include "win32/process_name.h"

#include <gtest/gtest.h>

TEST(ProcessName, bothWaysNameTheProgramThatOwnsAWindow) {
    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    char byWindow[PROGRAM_NAME_SIZE];
    char byList[PROGRAM_NAME_SIZE];
    EXPECT_TRUE(programNameOfWindow(window, byWindow));
    EXPECT_TRUE(programNameFromProcessList(GetCurrentProcessId(), byList));
    EXPECT_STREQ(byWindow, "capture_device_tests.exe");
    EXPECT_STREQ(byList, "capture_device_tests.exe");
    DestroyWindow(window);
}
