#include "platform/win32/win32_desktop.h"

#include <vector>

#include "platform/win32/wide.h"

namespace tapmill::win32 {

bool Win32Desktop::windowOfClassExists(const std::string& className) {
    return FindWindowW(widen(className).c_str(), nullptr) != nullptr;
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
