#pragma once
#include "platform/desktop.h"

namespace tapmill::win32 {

class Win32Desktop : public platform::Desktop {
public:
    bool windowOfClassExists(const std::string& className) override;
    bool postToWindowOfClass(const std::string& className, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) override;
    std::string executablePath() override;
};

}  // namespace tapmill::win32
