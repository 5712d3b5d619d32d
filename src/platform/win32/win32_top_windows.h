#pragma once
#include <windows.h>

#include <optional>

#include "platform/top_windows.h"

namespace tapmill::win32 {

class Win32TopWindows : public platform::TopWindows {
public:
    std::vector<platform::TopWindow> visibleWindows() override;
    std::vector<platform::TopWindow> windowsOfClass(const std::string& className) override;
    std::optional<platform::TopWindow> frontWindowTitled(const std::string& className, const std::string& title) override;
    std::optional<platform::TopWindow> windowAt(int x, int y) override;
    uintptr_t windowHandleAt(int x, int y) override;
    std::optional<platform::TopWindow> windowOf(uintptr_t handle) override;
    std::optional<platform::WindowPlace> placeOf(uintptr_t handle) override;
    uintptr_t foregroundWindow() override;
    bool bringToFront(uintptr_t handle) override;
    uintptr_t focusWindow() override;
    bool hasHigherRights(uintptr_t handle) override;
    bool isOwnWindow(uintptr_t handle) override;

private:
    std::optional<DWORD> ownLevel_;
    // The last window asked about, and what it gave: a playback asks before every event.
    HWND asked_ = nullptr;
    DWORD askedProcess_ = 0;
    bool askedHigher_ = false;
};

}  // namespace tapmill::win32
