#pragma once
#include <optional>
#include <string>

#include "platform/tray.h"

namespace tapmill::win32 {

class Win32Tray : public platform::Tray {
public:
    bool add(uintptr_t window, platform::TrayPicture picture) override;
    bool change(uintptr_t window, platform::TrayPicture picture) override;
    void remove(uintptr_t window) override;
    void setTip(uintptr_t window, const std::string& tip) override;
    uint32_t taskbarCreatedMessage() override;
    void bringToForeground(uintptr_t window) override;
    int popupMenu(uintptr_t window, platform::Point at, const std::vector<std::string>& items) override;

private:
    // The picture the icon shows. The activity display sets the picture five times a second, the
    // same one all the while the program is idle; each set is a round trip to the taskbar that
    // repaints the icon, so a picture the icon already shows is not sent again.
    std::optional<platform::TrayPicture> shown_;
    std::wstring tip_ = L"欢迎使用Tapmill";
};

}  // namespace tapmill::win32
