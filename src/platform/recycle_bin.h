#pragma once
#include <string>

namespace tapmill::platform {

// The desktop's Recycle Bin, where a deleted file waits until the user takes it back or empties it.
class RecycleBin {
public:
    virtual ~RecycleBin() = default;
    // Moves a file (UTF-8 path) into the Recycle Bin without a question or a progress window. False
    // when the file stays where it was: there is no Recycle Bin for its drive, or it was refused.
    virtual bool moveToRecycleBin(const std::string& path) = 0;
};

}  // namespace tapmill::platform
