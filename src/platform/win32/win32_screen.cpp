#include "platform/win32/win32_screen.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace tapmill::win32 {

platform::ScreenRect Win32Screen::virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool Win32Screen::grab(const platform::ScreenRect& wanted, platform::PixelBuffer& into) {
    const platform::ScreenRect screen = virtualScreen();
    const int left = std::max(wanted.left, screen.left), top = std::max(wanted.top, screen.top);
    const int right = std::min(wanted.left + wanted.width, screen.left + screen.width);
    const int bottom = std::min(wanted.top + wanted.height, screen.top + screen.height);
    if (right <= left || bottom <= top) return false;
    const int width = right - left, height = bottom - top;

    HDC screenDc = GetDC(nullptr);
    if (!screenDc) return false;
    HDC memoryDc = CreateCompatibleDC(screenDc);
    // A top-down 32-bit DIB: its rows lie in memory as PixelBuffer's do, each pixel 0x00RRGGBB.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = memoryDc ? CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool grabbed = false;
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memoryDc, bitmap);
        // CAPTUREBLT takes layered windows too, as the user sees them.
        grabbed = BitBlt(memoryDc, 0, 0, width, height, screenDc, left, top, SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        if (grabbed) {
            into.width = width;
            into.height = height;
            into.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
            std::memcpy(into.pixels.data(), bits, into.pixels.size() * sizeof(uint32_t));
            for (uint32_t& pixel : into.pixels) pixel &= 0x00FFFFFFu;
        }
        SelectObject(memoryDc, previous);
        DeleteObject(bitmap);
    }
    if (memoryDc) DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return grabbed;
}

}  // namespace tapmill::win32
