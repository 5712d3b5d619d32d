#pragma once
#include "common/timestamp.h"

namespace tapmill::platform {

// The local date and time of day, to the second.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalTime now() = 0;
};

}  // namespace tapmill::platform
