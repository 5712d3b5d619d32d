#pragma once
#include "platform/clock.h"

namespace tapmill::win32 {

class Win32LocalClock : public platform::LocalClock {
public:
    LocalTime now() override;
};

}  // namespace tapmill::win32
