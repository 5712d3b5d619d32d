#include "common/recycle.h"

#include "platform/files.h"

namespace tapmill {

bool deleteIntoRecycleBin(platform::RecycleBin& bin, const std::string& path) {
    if (bin.moveToRecycleBin(path)) return true;
    return files::removeFile(path) || !files::exists(path);
}

}  // namespace tapmill
