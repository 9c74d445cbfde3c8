// Installing and starting the simulated card's driver in the Wine prefix, from the Windows side.
#pragma once

#include <string>

// The full Windows path of a file that sits beside the running program (the build folder holds
// the driver, the filter DLL and the programs together).
std::string besideThisProgram(const char* fileName);

// Makes sure the card's kernel-driver service exists with the driver beside this program as its
// image, starts it when it is not running, and waits (with a deadline) until every card device
// opens. Returns 1 when the card is ready; otherwise 0 with what went wrong in `problem`.
// After endCardDriverHost it starts the driver again (in a new host process): its cards start
// idle, with log, faults, keys, registers and open counts cleared.
int ensureCardDriver(std::string* problem);

// Ends the device host process (winedevice.exe) that has the card's driver loaded, the way a
// crash of the host or a driver update takes a driver away, and waits (with a deadline) until it
// is gone and no card device opens. Handles opened on the devices stay open but fail every
// request; requests they had outstanding complete with an error. Returns 1 when the host is
// gone; otherwise 0 with what went wrong in `problem`.
int endCardDriverHost(std::string* problem);
