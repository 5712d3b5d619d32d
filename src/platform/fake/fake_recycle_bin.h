#pragma once
#include <string>
#include <vector>

#include "platform/recycle_bin.h"

namespace tapmill::fake {

// A Recycle Bin that keeps what it takes in memory: the file leaves its folder and its path and
// bytes are kept; a folder goes whole, its path kept with no bytes. It takes no file that could not
// be deleted; without `present` it takes none, as on a drive that has no Recycle Bin.
class FakeRecycleBin : public platform::RecycleBin {
public:
    bool moveToRecycleBin(const std::string& path) override;

    struct Item {
        std::string path;
        std::string bytes;
        bool operator==(const Item& o) const { return path == o.path && bytes == o.bytes; }
    };
    bool present = true;
    std::vector<Item> recycled;
};

}  // namespace tapmill::fake
