#include "platform/win32/win32_screen.h"

#include <algorithm>

namespace tapmill::win32 {

platform::ScreenRect Win32Screen::virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool Win32Screen::prepare(HDC screenDc, int width, int height) {
    if (bitmap_ && width == width_ && height == height_) return true;
    release();
    memoryDc_ = CreateCompatibleDC(screenDc);
    if (!memoryDc_) return false;
    // A top-down 32-bit DIB: its rows lie in memory as PixelBuffer's do, each pixel 0x00RRGGBB.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!bitmap_) {
        release();
        return false;
    }
    previous_ = SelectObject(memoryDc_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

void Win32Screen::release() {
    if (memoryDc_ && previous_) SelectObject(memoryDc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (memoryDc_) DeleteDC(memoryDc_);
    memoryDc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
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
    // CAPTUREBLT takes layered windows too, as the user sees them.
    const bool grabbed = prepare(screenDc, width, height) &&
                         BitBlt(memoryDc_, 0, 0, width, height, screenDc, left, top, SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screenDc);
    if (!grabbed) return false;
    GdiFlush();
    into.width = width;
    into.height = height;
    into.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    // The fourth byte is undefined after a blit; the copy drops it on the way.
    const uint32_t* from = static_cast<const uint32_t*>(bits_);
    std::transform(from, from + into.pixels.size(), into.pixels.begin(), [](uint32_t pixel) { return pixel & 0x00FFFFFFu; });
    return true;
}

}  // namespace tapmill::win32
