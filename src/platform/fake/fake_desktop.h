#pragma once
#include <set>
#include <string>

#include "platform/desktop.h"

namespace tapmill::fake {

class FakeDesktop : public platform::Desktop {
public:
    bool windowOfClassExists(const std::string& className) override { return windowClasses.count(className) > 0; }
    std::string executablePath() override { return exePath; }

    std::set<std::string> windowClasses;
    std::string exePath = "/tapmill/tapmill.exe";
};

}  // namespace tapmill::fake
