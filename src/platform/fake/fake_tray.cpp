#include "platform/fake/fake_tray.h"

namespace tapmill::fake {

bool FakeTray::add(uintptr_t, platform::TrayPicture picture) {
    calls.push_back({Call::Add, picture});
    if (shown) return false;  // the system refuses a second icon of the same identifier
    shown = true;
    return true;
}

bool FakeTray::change(uintptr_t, platform::TrayPicture picture) {
    calls.push_back({Call::Change, picture});
    return shown;
}

void FakeTray::remove(uintptr_t) {
    calls.push_back({Call::Remove, platform::TrayPicture::Normal});
    shown = false;
}

int FakeTray::popupMenu(uintptr_t, platform::Point at, const std::vector<std::string>& items) {
    lastMenu = items;
    lastMenuAt = at;
    return menuChoice();
}

}  // namespace tapmill::fake
