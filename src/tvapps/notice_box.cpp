#include "tvapps/notice_box.h"

#include "settings/program_text.h"

int NoticeBox::show(const char* text, UINT extraType) {
    if (open)
        return 0;
    open = true;
    MessageBoxA(nullptr, text, PROGRAM_CAPTION, MB_OK | extraType);
    open = false;
    return 1;
}
