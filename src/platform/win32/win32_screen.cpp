#include "platform/win32/win32_screen.h"

#include <algorithm>
#include <new>

namespace tapmill::win32 {

namespace {

// The most a single blit copies. Wine takes each blit from the X server through two buffers of its
// own, which come fresh from the system, page by page, when they are large, and that costs far more
// than the copy itself: for a whole screen it is most of the grab. Buffers of bands this small are
// reused from one blit to the next, and the bands are still few enough that the calls cost little.
constexpr int kBandBytes = 64 * 1024;

// The fourth byte of a pixel is undefined after a blit.
uint32_t colourOf(uint32_t pixel) { return pixel & 0x00FFFFFFu; }

}  // namespace

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

platform::Grab Win32Screen::grab(const platform::ScreenRect& wanted, platform::PixelBuffer& into) {
    const platform::ScreenRect screen = virtualScreen();
    const int left = std::max(wanted.left, screen.left), top = std::max(wanted.top, screen.top);
    const int right = std::min(wanted.left + wanted.width, screen.left + screen.width);
    const int bottom = std::min(wanted.top + wanted.height, screen.top + screen.height);
    if (right <= left || bottom <= top) return platform::Grab::Nothing;
    const int width = right - left, height = bottom - top;

    HDC screenDc = GetDC(nullptr);
    if (!screenDc) return platform::Grab::Nothing;
    if (!prepare(screenDc, width, height)) {
        ReleaseDC(nullptr, screenDc);
        // The bitmap of a whole screen is megabytes: the system had no memory for it.
        throw std::bad_alloc();
    }
    bool grabbed = true;
    const uint32_t* from = static_cast<const uint32_t*>(bits_);
    // How many pixels from the first match what the buffer holds, counted band by band while each
    // band is fresh in the cache, so that a still screen costs no second pass over the picture.
    size_t same = 0;
    bool allSame = into.width == width && into.height == height;
    const int bandRows = std::max(1, kBandBytes / (width * 4));
    for (int y = 0; grabbed && y < height; y += bandRows) {
        const int rows = std::min(bandRows, height - y);
        // Without CAPTUREBLT the layered windows are left out: this program's state indicator, which
        // shows over every window during a run, is one, and a wait must see what lies below it.
        grabbed = BitBlt(memoryDc_, 0, y, width, rows, screenDc, left, top + y, SRCCOPY) != FALSE;
        GdiFlush();
        const size_t bandEnd = static_cast<size_t>(y + rows) * static_cast<size_t>(width);
        while (allSame && same < bandEnd && colourOf(from[same]) == into.pixels[same]) ++same;
        allSame = allSame && same == bandEnd;
    }
    ReleaseDC(nullptr, screenDc);
    if (!grabbed) return platform::Grab::Nothing;
    if (allSame) return platform::Grab::Same;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    into.width = width;
    into.height = height;
    into.pixels.resize(count);
    std::transform(from + same, from + count, into.pixels.begin() + static_cast<std::ptrdiff_t>(same), colourOf);
    return platform::Grab::New;
}

}  // namespace tapmill::win32
