#include "platform/win32/win32_dialogs.h"

#include "platform/win32/wide.h"

namespace tapmill::win32 {

namespace {

BOOL CALLBACK takeIfInView(HWND hwnd, LPARAM found) {
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

HWND programFrontWindow() {
    HWND active = GetActiveWindow();
    if (active && IsWindowVisible(active)) return active;
    HWND front = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takeIfInView, reinterpret_cast<LPARAM>(&front));
    return front;
}

int showMessageBox(const std::wstring& text, const std::wstring& caption, UINT type, bool ownerless) {
    HWND owner = ownerless ? nullptr : programFrontWindow();
    // Without a window of its own in view the box stays above the other programs' windows.
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type | MB_SETFOREGROUND | (owner ? 0 : MB_TOPMOST));
}

platform::MessageAnswer Win32Dialogs::messageBox(const std::string& text, const std::string& caption,
                                                 platform::MessageButtons buttons, bool ownerless) {
    UINT type = buttons == platform::MessageButtons::YesNo         ? MB_YESNO
                : buttons == platform::MessageButtons::YesNoCancel ? MB_YESNOCANCEL
                                                                   : MB_OK;
    int r = showMessageBox(widen(text), widen(caption), type, ownerless);
    switch (r) {
        case IDYES: return platform::MessageAnswer::Yes;
        case IDNO: return platform::MessageAnswer::No;
        case IDOK: return platform::MessageAnswer::Ok;
        default: return platform::MessageAnswer::Cancel;
    }
}

void Win32Dialogs::messageBeep(uint32_t type) { MessageBeep(type); }

}  // namespace tapmill::win32
