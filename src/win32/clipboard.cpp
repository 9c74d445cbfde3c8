// Windows builds only: the simulated desktop has no clipboard.
#include "win32/clipboard.h"

#include "win32/unicode_text.h"

#include <cstring>
#include <string>

namespace {

// The clipboard while it is open: closed when the holder goes.
class OpenClipboardHolder {
public:
    explicit OpenClipboardHolder(HWND owner) : opened(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardHolder() {
        if (opened)
            CloseClipboard();
    }
    OpenClipboardHolder(const OpenClipboardHolder&) = delete;
    OpenClipboardHolder& operator=(const OpenClipboardHolder&) = delete;
    explicit operator bool() const { return opened; }

private:
    bool opened;
};

// Movable memory holding the terminated text; null when none could be had.
HGLOBAL globalCopy(const std::u16string& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return nullptr;
    void* copy = GlobalLock(memory);
    if (!copy) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(copy, text.c_str(), bytes);
    GlobalUnlock(memory);
    return memory;
}

} // namespace

bool copyToClipboard(HWND owner, std::string_view text) {
    const OpenClipboardHolder clipboard(owner);
    if (!clipboard || !EmptyClipboard())
        return false;
    HGLOBAL memory = globalCopy(utf16FromUtf8(text));
    if (!memory)
        return false;
    // The clipboard owns the memory once it took it.
    if (SetClipboardData(CF_UNICODETEXT, memory))
        return true;
    GlobalFree(memory);
    return false;
}
