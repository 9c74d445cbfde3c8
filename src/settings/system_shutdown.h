// Turning the computer off, on both Windows families.
#pragma once

// 1 on Windows 95/98/Me, 0 on the NT family.
int isWindows9x();
// Shuts down (9x) or forces a power-off with the shutdown privilege enabled (NT). Reports only a
// refused power-off, with a message box.
void shutDownComputer();
