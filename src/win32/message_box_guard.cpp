#include "win32/message_box_guard.h"

#include "win32/scoped_flag.h"
#include "win32/wide_calls.h"

int MessageBoxGuard::show(const char* text, const char* caption, UINT type) {
    if (open)
        return 0;
    const ScopedFlag showing(open);
    MessageBoxA(nullptr, text, caption, type);
    return 1;
}

int MessageBoxGuard::showText(std::string_view text, const char* caption, UINT type) {
    if (open)
        return 0;
    const ScopedFlag showing(open);
    showMessageBox(nullptr, text, caption, type);
    return 1;
}
