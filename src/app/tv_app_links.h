// What the shell asks of the TV applications: the main window's application commands, and
// whether each application is installed.
#pragma once

#include <windows.h>

// Carries out one of the application commands, IDM_WINDVD to IDM_LUMENTVR: the others are asked
// to quit, the chosen one is brought up, and for the remote-driven ones defaultApp follows (in
// memory only). Returns 1 when the id was one of them, 0 otherwise.
int runAppCommand(int command);
// The installed field of the application that a "DefaultTVAPP" number names; 0 for any other.
int tvAppInstalled(int defaultAppNumber);
