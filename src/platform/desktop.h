#pragma once
#include <cstdint>
#include <string>

namespace tapmill::platform {

// Facts about the running program and the desktop it runs on.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A top-level window of this class exists (any title, any process).
    virtual bool windowOfClassExists(const std::string& className) = 0;
    // Posts a message to the top-level window of this class (of another process, too) and lets that
    // window's process take the foreground, as the message may ask it to come to the front: only the
    // process the user works with may hand the foreground on. False when no such window exists.
    virtual bool postToWindowOfClass(const std::string& className, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) = 0;
    // Full path of the running executable, UTF-8.
    virtual std::string executablePath() = 0;
};

}  // namespace tapmill::platform
