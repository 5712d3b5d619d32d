#pragma once
#include "platform/screen.h"

namespace tapmill::win32 {

class Win32Screen : public platform::Screen {
public:
    platform::ScreenRect virtualScreen() override;
    bool grab(const platform::ScreenRect& area, platform::PixelBuffer& into) override;
};

}  // namespace tapmill::win32
