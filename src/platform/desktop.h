#pragma once
#include <string>

namespace tapmill::platform {

// Facts about the running program and the desktop it runs on.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A top-level window of this class exists (any title, any process).
    virtual bool windowOfClassExists(const std::string& className) = 0;
    // Full path of the running executable, UTF-8.
    virtual std::string executablePath() = 0;
};

}  // namespace tapmill::platform
