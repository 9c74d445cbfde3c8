#include "harness/window_text.h"

std::string windowText(HWND window) {
    char text[512];
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string windowClass(HWND window) {
    char name[64];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}
