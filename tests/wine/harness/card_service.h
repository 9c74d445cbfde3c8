// Installing and starting the simulated card's driver in the Wine prefix, from the Windows side.
#pragma once

#include <string>

// The full Windows path of a file that sits beside the running program (the build folder holds
// the driver, the filter DLL and the programs together).
std::string besideThisProgram(const char* fileName);

// Makes sure the card's kernel-driver service exists with the driver beside this program as its
// image, starts it when it is not running, and waits (with a deadline) until every card device
// opens. Returns 1 when the card is ready; otherwise 0 with what went wrong in `problem`.
int ensureCardDriver(std::string* problem);
