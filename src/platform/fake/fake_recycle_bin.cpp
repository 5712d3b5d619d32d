#include "platform/fake/fake_recycle_bin.h"

#include <algorithm>
#include <filesystem>

#include "platform/files.h"

namespace tapmill::fake {

bool FakeRecycleBin::moveToRecycleBin(const std::string& path) {
    if (present && files::isDirectory(path)) {
        std::string native = path;
        std::replace(native.begin(), native.end(), '\\', '/');
        std::error_code failed;
        std::filesystem::remove_all(native, failed);
        if (failed) return false;
        recycled.push_back({path, ""});
        return true;
    }
    std::string bytes;
    if (!present || !files::readAll(path, bytes) || !files::removeFile(path)) return false;
    recycled.push_back({path, bytes});
    return true;
}

}  // namespace tapmill::fake
