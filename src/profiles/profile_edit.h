// The edit that Save makes to the profiles file's text: one profile for the program taught, so
// that it is the profile a press in that program's window uses, with every other byte of the file
// as it was. Pure: the file's bytes in, the new bytes out.
#pragma once

#include "profiles/profile_parser.h"
#include "win32/window_description.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TaughtProfile {
    std::string name; // the section's name a new profile gets (" 2", " 3" added if it is taken)
    std::string exe;  // the program's file name
    std::vector<std::pair<RemoteButton, std::string>> buttons; // each with its key, in row order
};

// Puts one line of UTF-8 text into the file's encoding; false when the encoding cannot hold it.
using LineEncoder = bool (*)(std::string_view text, std::string& encoded);

// `bytes` is the file as it is, and `profiles` what the parser read from it (decoded line for
// line). The first profile that matches the window (or else its owner) is updated in place when
// Exe is its only rule: the lines of the buttons taught are replaced where they stand, the others
// go after its last setting. Otherwise a new profile (a blank line, its header, Exe and the
// buttons) goes just before that first match, or at the end. New lines end as the file's first
// line does (CR LF in a file of one line). False, leaving `edited` empty, when a new line cannot
// be encoded.
bool addTaughtProfile(std::string_view bytes, const ProfileSet& profiles,
                      const WindowDescription& window, const WindowDescription& owner,
                      const TaughtProfile& taught, LineEncoder encode, std::string& edited);
