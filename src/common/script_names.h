#pragma once
#include <string>
#include <vector>

namespace tapmill {

// The script names of a library folder: every entry whose name ends in exactly ".ini" (lower
// case), without those four characters, in the file system's order. A missing folder has none.
std::vector<std::string> scriptNames(const std::string& folderPath);

// Whether a typed name can name a file inside its library folder on Windows: no path separators,
// control characters or other characters Windows refuses, no device name (CON, NUL, COM1, ...),
// and only characters the GBK file names of the program can hold. Blanks may lead, and a dot or a
// blank may end the name, since ".ini" follows it: Windows drops those only at a path's end.
bool isAcceptableScriptName(const std::string& name);

// Names compared the way the Windows file system compares them (ASCII case ignored).
bool sameFileName(const std::string& a, const std::string& b);

// The text without its leading and trailing spaces.
std::string trimSpaces(const std::string& text);

}  // namespace tapmill
