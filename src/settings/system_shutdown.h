// Turning the computer off, on both Windows families.
#pragma once

// Shuts down (9x) or forces a power-off with the shutdown privilege enabled (NT). Reports only a
// refused power-off, with a message box.
void shutDownComputer();
