#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace tapmill::fake {

class FakeDesktop : public platform::Desktop {
public:
    bool windowOfClassExists(const std::string& className) override { return windowClasses.count(className) > 0; }
    bool postToWindowOfClass(const std::string& className, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) override {
        if (!windowOfClassExists(className)) return false;
        posted.push_back({className, message, wParam, lParam});
        return true;
    }
    std::string executablePath() override { return exePath; }

    struct PostedMessage {
        std::string className;
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    std::vector<PostedMessage> posted;

    std::set<std::string> windowClasses;
    std::string exePath = "/tapmill/tapmill.exe";
};

}  // namespace tapmill::fake
