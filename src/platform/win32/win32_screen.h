#pragma once
#include <windows.h>

#include "platform/screen.h"

namespace tapmill::win32 {

// Grabs through a bitmap kept from one grab to the next while the size stays, since a wait grabs
// the same area a few times a second and making the bitmap costs as much as the copy under Wine.
class Win32Screen : public platform::Screen {
public:
    Win32Screen() = default;
    Win32Screen(const Win32Screen&) = delete;
    Win32Screen& operator=(const Win32Screen&) = delete;
    ~Win32Screen() override { release(); }

    platform::ScreenRect virtualScreen() override;
    platform::Grab grab(const platform::ScreenRect& area, platform::PixelBuffer& into) override;
    void release() override;

private:
    // A memory DC with a top-down 32-bit DIB of the size selected into it; false when the system
    // gives none.
    bool prepare(HDC screenDc, int width, int height);

    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tapmill::win32
