// What the program reads of a window and how it compares it, against the system itself: the file
// name of a window's program, both ways the program learns it (the Unicode call of later Windows,
// which Wine has, and the Tool Help list that older ones fall back to); a Unicode class and title,
// whole; and letter case, which must be the system's own.
#include "win32/letter_case.h"
#include "win32/window_description.h"

#include <gtest/gtest.h>

TEST(WindowDescription, aWindowIsDescribedWholeAsUnicode) {
    const std::wstring longClass = L"Окно" + std::wstring(200, L'W');
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = longClass.c_str();
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND window = CreateWindowExW(0, longClass.c_str(), L"Видео — Lecteur multimédia", WS_POPUP, 0,
                                  0, 1, 1, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    const WindowDescription description = describeWindow(window);
    EXPECT_EQ(description.exe, "capture_device_tests.exe");
    EXPECT_EQ(description.className, "Окно" + std::string(200, 'W'));
    EXPECT_EQ(description.title, "Видео — Lecteur multimédia");
    EXPECT_EQ(programNameFromProcessList(GetCurrentProcessId()), "capture_device_tests.exe");
    DestroyWindow(window);
}

TEST(WindowDescription, letterCaseIsTheSystemsForEveryUnit) {
    using Upcase = WCHAR(WINAPI*)(WCHAR);
    const auto upcase = reinterpret_cast<Upcase>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlUpcaseUnicodeChar")));
    ASSERT_NE(upcase, nullptr);
    int differences = 0;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const unsigned ours = upperCase(static_cast<char16_t>(unit));
        const unsigned system = upcase(static_cast<WCHAR>(unit));
        if (ours != system && ++differences <= 10)
            ADD_FAILURE() << std::hex << "U+" << unit << ": " << ours << " against " << system;
    }
    EXPECT_EQ(differences, 0);
}
