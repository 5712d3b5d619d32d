#include "platform/win32/win32_dialogs.h"

#include "platform/win32/wide.h"

namespace tapmill::win32 {

platform::MessageAnswer Win32Dialogs::messageBox(const std::string& text, const std::string& caption,
                                                 platform::MessageButtons buttons, bool ownerless) {
    HWND owner = ownerless ? nullptr : GetActiveWindow();
    UINT type = buttons == platform::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    int r = MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(), type);
    switch (r) {
        case IDYES: return platform::MessageAnswer::Yes;
        case IDNO: return platform::MessageAnswer::No;
        case IDOK: return platform::MessageAnswer::Ok;
        default: return platform::MessageAnswer::Cancel;
    }
}

void Win32Dialogs::messageBeep(uint32_t type) { MessageBeep(type); }

}  // namespace tapmill::win32
