// The remote monitor's text, a pure function of the press log and what the program knows: the
// card's line, the profiles' lines, and the whole copy of a small log, in columns of characters.
#include "app/monitor_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MonitorText, theCardAndTheProfilesAsLines) {
    ProfileSet set;
    set.profiles.resize(2);
    set.profiles[0].name = "VLC";
    set.profiles[1].name = "Видео";
    set.problems = {{0, "it cannot be read"}, {3, "unknown key name \"Пробел\" in Button14"}};
    const std::pair<std::string, std::string> rows[] = {
        {cardText(nullptr, {}), "Capture filter: none found"},
        {cardText("Solvanta QN52X Video Capture", {"Cx23880 Register Read failed", 0x8007001F}),
         "Capture filter: Solvanta QN52X Video Capture    Reads fail: Cx23880 Register Read "
         "failed (status 0x8007001F)"},
        {profilesText("", {}), "Profiles from (no place: no APPDATA): none"},
        {profilesText("C:\\Users\\Мэй\\profiles.ini", set),
         "Profiles from C:\\Users\\Мэй\\profiles.ini:  [VLC]  [Видео]\r\nthe file: it cannot be "
         "read\r\nline 3: unknown key name \"Пробел\" in Button14"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(text, expected);
}

// Newest first; a column as wide as its widest cell in characters, whatever their script; a press
// whose own action waits in a box stays pending while a repeat acted on meanwhile returns.
TEST(MonitorText, theCopyListsThePressesNewestFirstInColumnsOfCharacters) {
    PressLog log;
    for (bool succeeded : {true, true, false})
        log.countRead(succeeded);
    SYSTEMTIME at{};
    at.wHour = 12, at.wMinute = 3, at.wSecond = 4, at.wMilliseconds = 5;
    const unsigned first = log.add(0x09, 5, nullptr, at);
    log.startAction(first);
    log.finish(first, appOutcome(AppId::POWERVCR, Result::SENT, postDigit(5)), false);
    at.wSecond = 5, at.wMilliseconds = 0;
    const unsigned second = log.add(0x1E, 14, nullptr, at);
    log.find(second)->window = {"плеер.exe", "Frame", "Видео — плеер"};
    log.startAction(second);
    log.startAction(second); // a repeat, in the modal loop of the press's box
    log.finish(second, mouseOutcome(Result::LEFT_CLICK), true);
    EXPECT_EQ(copyText(log, "Capture filter: none found", "Profiles from X: none"),
              "Capture filter: none found\r\n"
              "Reads: 3    Presses: 2    Failed reads: 1\r\n"
              "Profiles from X: none\r\n"
              "Time          Code  Button  Repeats acted / held  What it did                     "
              "        Program    Class  Title\r\n"
              "12:03:05.000  0x1E  14      1 / 0                 pending: waiting for a box or a "
              "prompt  плеер.exe  Frame  Видео — плеер\r\n"
              "12:03:04.005  0x09  5       0 / 0                 PowerVCR II: key 5\r\n");
}

} // namespace
