// The remote monitor's text, as UTF-8: the card's line, the counts, the profiles and their
// problems, and the whole monitor as one text for a bug report. Pure functions of the press log and
// what the program knows; the dialog (remote_monitor.cpp) only shows them.
#pragma once

#include "app/press_log.h"
#include "remote/capture_device.h"
#include "profiles/profile_parser.h"

#include <string>
#include <string_view>

// "Capture filter: <name>", and while reads fail "    Reads fail: <what> (status 0x…)".
std::string cardText(const char* filterName, const CaptureDevice::Failure& failure);
// "Reads: 72    Presses: 31    Failed reads: 0".
std::string countsText(const PressLog& log);
// "Profiles from <path>:" and each profile's [name] (or " none"), then each problem on a line of
// its own. An empty path: the profiles have no place.
std::string profilesText(std::string_view path, const ProfileSet& profiles);
// The card, the counts and the profiles, then the presses under the column titles, newest first,
// each column as wide as its widest cell so that they line up in any fixed font. Lines end in
// CR LF.
std::string copyText(const PressLog& log, std::string_view card, std::string_view profiles);
