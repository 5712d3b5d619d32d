#pragma once
#include <optional>
#include <string>

namespace tapmill::platform {

// The user's registry, the shell's document opening and the desktop shortcut.
class Shell {
public:
    virtual ~Shell() = default;
    // Writes a string value under a key of HKEY_CURRENT_USER, creating the key when missing.
    virtual bool setUserString(const std::string& keyPath, const std::string& valueName, const std::string& data) = 0;
    virtual std::optional<std::string> userString(const std::string& keyPath, const std::string& valueName) = 0;
    // Opens a file or an address the way the shell would on a double click; the outcome is not reported.
    virtual void open(const std::string& fileOrAddress) = 0;
    // The current user's desktop folder, without a trailing separator; empty when unknown.
    virtual std::string desktopFolder() = 0;
    // A shell link at linkPath to target, starting in workingFolder; an existing link is replaced.
    virtual bool createShortcut(const std::string& linkPath, const std::string& target, const std::string& workingFolder) = 0;
};

}  // namespace tapmill::platform
