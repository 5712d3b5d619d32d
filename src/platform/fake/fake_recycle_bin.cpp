#include "platform/fake/fake_recycle_bin.h"

#include "platform/files.h"

namespace tapmill::fake {

bool FakeRecycleBin::moveToRecycleBin(const std::string& path) {
    std::string bytes;
    if (!present || !files::readAll(path, bytes) || !files::removeFile(path)) return false;
    recycled.push_back({path, bytes});
    return true;
}

}  // namespace tapmill::fake
