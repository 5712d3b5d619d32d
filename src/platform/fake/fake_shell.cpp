#include "platform/fake/fake_shell.h"

namespace tapmill::fake {

bool FakeShell::setUserString(const std::string& keyPath, const std::string& valueName, const std::string& data) {
    if (registryRefuses) return false;
    registry[keyPath + "\\" + valueName] = data;
    return true;
}

std::optional<std::string> FakeShell::userString(const std::string& keyPath, const std::string& valueName) {
    auto it = registry.find(keyPath + "\\" + valueName);
    if (it == registry.end()) return std::nullopt;
    return it->second;
}

}  // namespace tapmill::fake
