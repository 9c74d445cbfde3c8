#include "program/screenshot.h"

#include "harness/card_service.h"
#include "harness/deadline.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// PNG needs zlib data; stored (uncompressed) deflate blocks keep the writer a few lines long.
constexpr size_t STORED_BLOCK_LIMIT = 65535;
constexpr DWORD PAINT_TIMEOUT_MS = 3000;
constexpr DWORD STABLE_AFTER_MS = 100;

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool built = false;
    if (!built) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        built = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBigEndian(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBigEndian(out, crc32(typed.data(), typed.size()));
}

std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t length = std::min(STORED_BLOCK_LIMIT, raw.size() - at);
        const bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length));
        out.push_back(static_cast<uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
    } while (at < raw.size());
    uint32_t a = 1, b = 0; // Adler-32
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(out, (b << 16) | a);
    return out;
}

// Rows of 8-bit RGB, top to bottom.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        const auto row = rgb.begin() + static_cast<size_t>(y) * width * 3;
        raw.insert(raw.end(), row, row + width * 3);
    }
    std::vector<uint8_t> header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, no interlace
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", zlibStored(raw));
    putChunk(file, "IEND", {});
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

// The screen's pixels under `area`, as 8-bit RGB rows; empty when they cannot be read.
std::vector<uint8_t> capture(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint8_t> rgb;
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const auto* pixels = static_cast<const uint8_t*>(bits);
            rgb.reserve(static_cast<size_t>(width) * height * 3);
            for (int i = 0; i < width * height; ++i) // BGRX to RGB
                rgb.insert(rgb.end(), {pixels[i * 4 + 2], pixels[i * 4 + 1], pixels[i * 4]});
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rgb;
}

bool oneColour(const std::vector<uint8_t>& rgb) {
    for (size_t i = 3; i < rgb.size(); ++i)
        if (rgb[i] != rgb[i % 3])
            return false;
    return true;
}

} // namespace

std::string saveScreenshot(HWND window, const char* name) {
    RECT area;
    if (!GetWindowRect(window, &area) || area.right <= area.left || area.bottom <= area.top)
        return "";
    // A window that has just appeared reaches the screen as its program paints it, control by
    // control, and Wine copies its pixels to the display: wait for a picture that has stopped
    // changing.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> previous;
    waitUntil(
        [&] {
            previous.swap(rgb);
            rgb = capture(area);
            return !rgb.empty() && !oneColour(rgb) && rgb == previous;
        },
        PAINT_TIMEOUT_MS, STABLE_AFTER_MS);
    if (rgb.empty())
        return "";
    const std::string folder = besideThisProgram("screenshots");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name;
    return writePng(path, area.right - area.left, area.bottom - area.top, rgb) ? path : "";
}

bool keepScreenshot(HWND window, const char* name) {
    std::string path = saveScreenshot(window, name);
    if (path.empty())
        return false;
    // Wine's drive Z: is the build machine's root.
    if (path.compare(0, 3, "Z:\\") == 0)
        path.erase(0, 2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    std::printf("screenshot: %s\n", path.c_str());
    return true;
}
