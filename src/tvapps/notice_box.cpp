#include "tvapps/notice_box.h"

#include "settings/program_text.h"

namespace {

bool noticeOpen = false;

} // namespace

int showNotice(const char* text, UINT extraType) {
    if (noticeOpen)
        return 0;
    noticeOpen = true;
    MessageBoxA(nullptr, text, PROGRAM_CAPTION, MB_OK | extraType);
    noticeOpen = false;
    return 1;
}
