#include "platform/win32/win32_injector.h"

#include "common/input_recipient.h"

namespace tapmill::win32 {

namespace {

bool inputDesktopOpens() {
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (!desktop) return false;
    CloseDesktop(desktop);
    return true;
}

}  // namespace

platform::InputRefusal Win32Injector::send(INPUT& input) {
    const platform::InputRefusal before = refusalBefore(input);
    if (before != platform::InputRefusal::None) return before;
    if (SendInput(1, &input, sizeof input) == 1) return platform::InputRefusal::None;
    // Input refused with no window in front went to no desktop of ours.
    return GetForegroundWindow() ? platform::InputRefusal::Refused : platform::InputRefusal::SecureDesktop;
}

platform::InputRefusal Win32Injector::refusalBefore(const INPUT& input) {
    if (!inputDesktopOpens()) return platform::InputRefusal::SecureDesktop;
    // A pointer move alone goes to no window: the cursor moves over any.
    constexpr DWORD kButtonsAndWheel = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTDOWN |
                                       MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP |
                                       MOUSEEVENTF_XDOWN | MOUSEEVENTF_XUP | MOUSEEVENTF_WHEEL | MOUSEEVENTF_HWHEEL;
    if (input.type == INPUT_MOUSE && !(input.mi.dwFlags & kButtonsAndWheel)) return platform::InputRefusal::None;
    POINT pointer{};
    GetCursorPos(&pointer);
    return refusalBeforeInput(windows_, input.type == INPUT_KEYBOARD ? InputKind::Key : InputKind::Button,
                              {pointer.x, pointer.y});
}

}  // namespace tapmill::win32
