#pragma once
#include <string>
#include <vector>

// The pictures a script's "等待图片：" lines wait for, looked at before a run needs them.
namespace tapmill::scripts {

// What the user is told of a picture file that is missing or is no BMP the program reads.
std::string unreadablePictureMessage(const std::string& path);

struct MissingPicture {
    int line;  // from 1
    std::string path;
};
// The image lines (GBK) up to the first end mark whose picture in the folder (UTF-8, ending in a
// separator) does not read; a run would refuse to start for each of them.
std::vector<MissingPicture> missingPictures(const std::vector<std::string>& lines, const std::string& folder);

// The reminder after a save that left such lines: the script is saved, and which lines will fail.
std::string missingPicturesReport(const std::vector<MissingPicture>& missing);

}  // namespace tapmill::scripts
