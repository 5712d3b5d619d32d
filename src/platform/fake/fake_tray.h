#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/tray.h"

namespace tapmill::fake {

// Records every call to the notification area; popup menus are answered by `menuChoice`.
class FakeTray : public platform::Tray {
public:
    enum class Call { Add, Change, Remove };
    struct Record {
        Call call;
        platform::TrayPicture picture;
    };

    bool add(uintptr_t, platform::TrayPicture picture) override;
    bool change(uintptr_t, platform::TrayPicture picture) override;
    void remove(uintptr_t) override;
    void setTip(uintptr_t, const std::string& text) override { tip = text; }
    uint32_t taskbarCreatedMessage() override { return 0xC123; }
    void bringToForeground(uintptr_t) override { ++foregrounded; }
    int popupMenu(uintptr_t, platform::Point at, const std::vector<std::string>& items) override;

    std::vector<Record> calls;
    bool shown = false;  // an icon is in the notification area
    std::string tip = "欢迎使用Tapmill";
    int foregrounded = 0;
    std::vector<std::string> lastMenu;
    platform::Point lastMenuAt;
    // Runs while the menu is open (as its modal loop would) and gives the index chosen.
    std::function<int()> menuChoice = [] { return -1; };
};

}  // namespace tapmill::fake
