// A file of the user's put in place in one step: the new text is written whole to a file beside
// it, then moved over it (MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), so
// that a crash, a full disk or a locked file never leaves it half-written or empty. The Windows
// builds call the system (file_replace.cpp); the host tests give a small fake.
#pragma once

#include <windows.h>

#include <string_view>

// 0 once the file at `path` holds `bytes`; otherwise the system's error, the file as it was and
// nothing left beside it.
DWORD replaceFile(const char* path, std::string_view bytes);
