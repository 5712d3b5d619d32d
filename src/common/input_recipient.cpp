#include "common/input_recipient.h"

namespace tapmill {

platform::InputRefusal refusalBeforeInput(platform::TopWindows& windows, InputKind kind, platform::Point pointer) {
    const uintptr_t recipient =
        kind == InputKind::Key ? windows.focusWindow() : windows.windowHandleAt(pointer.x, pointer.y);
    // Nothing there to receive it is no reason to refuse: the system's answer tells.
    return recipient && windows.hasHigherRights(recipient) ? platform::InputRefusal::HigherRights
                                                            : platform::InputRefusal::None;
}

}  // namespace tapmill
