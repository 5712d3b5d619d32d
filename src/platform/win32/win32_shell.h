#pragma once
#include "platform/shell.h"

namespace tapmill::win32 {

class Win32Shell : public platform::Shell {
public:
    bool setUserString(const std::string& keyPath, const std::string& valueName, const std::string& data) override;
    std::optional<std::string> userString(const std::string& keyPath, const std::string& valueName) override;
    void open(const std::string& fileOrAddress) override;
    std::string desktopFolder() override;
    bool createShortcut(const std::string& linkPath, const std::string& target, const std::string& workingFolder) override;
};

}  // namespace tapmill::win32
