// The state of the machine that an install and an uninstall may touch, as a 64-bit program sees
// it: every registry key and value under HKEY_LOCAL_MACHINE and HKEY_USERS (the 64-bit view,
// with the 32-bit one inside it as Wow6432Node) and every file and folder on drive C:.
#pragma once

#include <map>
#include <string>
#include <vector>

// Entry name to what it holds. Names: "HKLM\path" for a key, "HKLM\path [name]" for a value,
// "C:\path" for a file or folder. What they hold: a value's type and data, a file's size,
// "folder", or "link" for a folder that is a link (to the Unix home folder; not followed).
using SystemSnapshot = std::map<std::string, std::string>;

SystemSnapshot takeSystemSnapshot();

// One line per entry that was added ("+"), removed ("-") or changed ("~"), leaving out entries
// whose name begins with one of `ignored`, compared without regard to case.
std::vector<std::string> snapshotDifferences(const SystemSnapshot& before,
                                             const SystemSnapshot& after,
                                             const std::vector<std::string>& ignored);
