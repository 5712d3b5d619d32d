#pragma once
#include <string>

#include "platform/recycle_bin.h"

namespace tapmill {

// Deletes a file of the user's so that it can be taken back from the Recycle Bin, or for good where
// there is none. True when the file is gone, also when it was gone already.
bool deleteIntoRecycleBin(platform::RecycleBin& bin, const std::string& path);
// The same for a folder (named without a final separator) and everything in it.
bool deleteFolderIntoRecycleBin(platform::RecycleBin& bin, const std::string& folder);

}  // namespace tapmill
