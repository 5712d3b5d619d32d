#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tapmill::fake {

struct Shortcut {
    std::string linkPath, target, workingFolder;
};

// A registry held in a map, and a record of what was opened and which shortcuts were made.
class FakeShell : public platform::Shell {
public:
    bool setUserString(const std::string& keyPath, const std::string& valueName, const std::string& data) override;
    std::optional<std::string> userString(const std::string& keyPath, const std::string& valueName) override;
    void open(const std::string& fileOrAddress) override { opened.push_back(fileOrAddress); }
    std::string desktopFolder() override { return desktop; }
    bool createShortcut(const std::string& linkPath, const std::string& target, const std::string& workingFolder) override {
        shortcuts.push_back({linkPath, target, workingFolder});
        return true;
    }

    // Key path + "\\" + value name -> data.
    std::map<std::string, std::string> registry;
    bool registryRefuses = false;
    std::vector<std::string> opened;
    std::vector<Shortcut> shortcuts;
    std::string desktop = "C:\\Users\\user\\Desktop";
};

}  // namespace tapmill::fake
