#include "platform/win32/win32_desktop.h"

#include <vector>

#include "platform/win32/wide.h"

namespace tapmill::win32 {

bool Win32Desktop::windowOfClassExists(const std::string& className) {
    return FindWindowW(widen(className).c_str(), nullptr) != nullptr;
}

bool Win32Desktop::postToWindowOfClass(const std::string& className, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
    HWND window = FindWindowW(widen(className).c_str(), nullptr);
    if (!window) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(window, message, wParam, lParam) != FALSE;
}

std::string Win32Desktop::executablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return narrow(std::wstring(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tapmill::win32
