#pragma once
#include "platform/recycle_bin.h"

namespace tapmill::win32 {

class Win32RecycleBin : public platform::RecycleBin {
public:
    bool moveToRecycleBin(const std::string& path) override;
};

}  // namespace tapmill::win32
