// Which family of Windows runs the program: the country code and the shutdown differ between them.
#pragma once

// 1 on Windows 95/98/Me, 0 on the NT family.
int isWindows9x();
