#pragma once
#include "platform/top_windows.h"

namespace tapmill::win32 {

class Win32TopWindows : public platform::TopWindows {
public:
    std::vector<platform::TopWindow> visibleWindows() override;
    bool bringToFront(uintptr_t handle) override;
};

}  // namespace tapmill::win32
