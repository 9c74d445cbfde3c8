#include "win32/message_box_guard.h"

#include "win32/scoped_flag.h"

int MessageBoxGuard::show(const char* text, const char* caption, UINT type) {
    if (open)
        return 0;
    const ScopedFlag showing(open);
    MessageBoxA(nullptr, text, caption, type);
    return 1;
}
