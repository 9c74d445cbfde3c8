// What the remote monitor says of a press: its outcome in words, and each of its columns as text.
// Only the monitor formats, and only while it is open.
#pragma once

#include "app/press_log.h"

#include <string>

constexpr int WORDS_SIZE = 128;

// What was done, in words: "PowerVCR II: key S", "Mouse: pointer right 6 px", "Power: switched to
// WinDVR". `button` is the press's button (Power or 20 switch applications).
void describeOutcome(const PressOutcome& outcome, RemoteButton button, char (&words)[WORDS_SIZE]);

// The columns of the monitor's list, in order.
enum class Column : unsigned char { TIME, CODE, BUTTON, REPEATS, ACTION, PROGRAM, CLASS, TITLE };
constexpr int COLUMN_COUNT = 8;
extern const char* const COLUMN_TITLES[COLUMN_COUNT];

// One column of the entry as UTF-8 text: "12:03:04.005", "0x1E", "18", "3 / 27", the outcome's
// words (or "… pending" while it is acted on), and the window that was in front, whole.
std::string columnText(const PressRecord& entry, Column column);
