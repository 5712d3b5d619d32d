#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input.h"

namespace tapmill::platform {

// The pictures the program's notification-area icon can show.
enum class TrayPicture { Normal, Recording, Playback };

// The icon in the taskbar's notification area (identifier 100, callback message 1025, tip
// "欢迎使用Tapmill" until another is set), and the popup menu it opens.
class Tray {
public:
    virtual ~Tray() = default;
    virtual bool add(uintptr_t window, TrayPicture picture) = 0;
    virtual bool change(uintptr_t window, TrayPicture picture) = 0;
    virtual void remove(uintptr_t window) = 0;
    // The tip the icon shows from now on, also after it is added again.
    virtual void setTip(uintptr_t window, const std::string& tip) = 0;
    // The message the taskbar sends to every top-level window when it is created again (after
    // Explorer restarts), which then has lost every icon.
    virtual uint32_t taskbarCreatedMessage() = 0;
    virtual void bringToForeground(uintptr_t window) = 0;
    // Shows a popup menu at a screen point and returns the index of the item chosen, or -1.
    virtual int popupMenu(uintptr_t window, Point at, const std::vector<std::string>& items) = 0;
};

inline constexpr uint32_t kTrayIconId = 100;
inline constexpr uint32_t kTrayCallbackMessage = 1025;
// The mouse messages the callback message carries (as its lParam) that the program answers.
inline constexpr uint32_t kTrayLeftDoubleClick = 515;  // WM_LBUTTONDBLCLK
inline constexpr uint32_t kTrayRightButtonUp = 517;    // WM_RBUTTONUP

}  // namespace tapmill::platform
