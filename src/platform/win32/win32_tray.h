#pragma once
#include "platform/tray.h"

namespace tapmill::win32 {

class Win32Tray : public platform::Tray {
public:
    bool add(uintptr_t window, platform::TrayPicture picture) override;
    bool change(uintptr_t window, platform::TrayPicture picture) override;
    void remove(uintptr_t window) override;
    uint32_t taskbarCreatedMessage() override;
    void bringToForeground(uintptr_t window) override;
    int popupMenu(uintptr_t window, platform::Point at, const std::vector<std::string>& items) override;
};

}  // namespace tapmill::win32
