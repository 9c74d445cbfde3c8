// Which family of Windows runs the program: the country code and the shutdown differ between them.
#pragma once

// True on Windows 95/98/Me, false on the NT family.
bool isWindows9x();
