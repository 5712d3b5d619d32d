#include "common/recycle.h"

#include "platform/files.h"

namespace tapmill {

bool deleteIntoRecycleBin(platform::RecycleBin& bin, const std::string& path) {
    if (bin.moveToRecycleBin(path)) return true;
    return files::removeFile(path) || !files::exists(path);
}

namespace {

void removeTree(const std::string& folder) {
    for (const std::string& entry : files::listFolder(folder)) {
        const std::string path = folder + "\\" + entry;
        if (files::isDirectory(path))
            removeTree(path);
        else
            files::removeFile(path);
    }
    files::removeEmptyFolder(folder);
}

}  // namespace

bool deleteFolderIntoRecycleBin(platform::RecycleBin& bin, const std::string& folder) {
    if (bin.moveToRecycleBin(folder)) return true;
    removeTree(folder);
    return !files::exists(folder);
}

}  // namespace tapmill
