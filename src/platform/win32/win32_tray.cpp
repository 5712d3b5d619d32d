#include "platform/win32/win32_tray.h"

#include "platform/win32/wide.h"

#include <shellapi.h>

namespace tapmill::win32 {

namespace {

// Icon resources of tapmill.rc: 1 the program's own (normal), 102 recording, 103 playback.
HICON pictureIcon(platform::TrayPicture picture) {
    int id = picture == platform::TrayPicture::Recording ? 102 : picture == platform::TrayPicture::Playback ? 103 : 1;
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

// The first version of the record (message, icon and tip), in its wide form so that the Chinese
// tip reads right whatever the system's ANSI code page.
bool notify(DWORD action, uintptr_t window, platform::TrayPicture picture, const std::wstring& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(window);
    data.uID = platform::kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = platform::kTrayCallbackMessage;
    data.hIcon = pictureIcon(picture);
    lstrcpynW(data.szTip, tip.c_str(), 64);
    return Shell_NotifyIconW(action, &data) != FALSE;
}

}  // namespace

bool Win32Tray::add(uintptr_t window, platform::TrayPicture picture) {
    // A refused add (the icon is there already) leaves its picture unknown.
    const bool added = notify(NIM_ADD, window, picture, tip_);
    shown_ = added ? std::optional(picture) : std::nullopt;
    return added;
}

bool Win32Tray::change(uintptr_t window, platform::TrayPicture picture) {
    if (shown_ == picture) return true;
    const bool changed = notify(NIM_MODIFY, window, picture, tip_);
    shown_ = changed ? std::optional(picture) : std::nullopt;
    return changed;
}

void Win32Tray::remove(uintptr_t window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(window);
    data.uID = platform::kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown_.reset();
}

void Win32Tray::setTip(uintptr_t window, const std::string& tip) {
    const std::wstring wide = widen(tip);
    if (wide == tip_) return;
    tip_ = wide;
    // Sent with the picture the icon shows; one not known yet is sent at the next change.
    if (shown_) notify(NIM_MODIFY, window, *shown_, tip_);
}

uint32_t Win32Tray::taskbarCreatedMessage() { return RegisterWindowMessageW(L"TaskbarCreated"); }

void Win32Tray::bringToForeground(uintptr_t window) { SetForegroundWindow(reinterpret_cast<HWND>(window)); }

int Win32Tray::popupMenu(uintptr_t window, platform::Point at, const std::vector<std::string>& items) {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < items.size(); ++i)
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(i + 1), widen(items[i]).c_str());
    HWND hwnd = reinterpret_cast<HWND>(window);
    int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr));
    DestroyMenu(menu);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageW(hwnd, WM_NULL, 0, 0);
    return chosen - 1;
}

}  // namespace tapmill::win32
