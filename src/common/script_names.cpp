#include "common/script_names.h"

#include <cctype>

#include "common/gbk.h"
#include "platform/files.h"

namespace tapmill {

std::vector<std::string> scriptNames(const std::string& folderPath) {
    static const std::string kExtension = ".ini";
    std::vector<std::string> names;
    for (const std::string& entry : files::listFolder(folderPath)) {
        if (entry.size() >= kExtension.size() &&
            entry.compare(entry.size() - kExtension.size(), kExtension.size(), kExtension) == 0)
            names.push_back(entry.substr(0, entry.size() - kExtension.size()));
    }
    return names;
}

namespace {

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// Windows opens the device, not a file, for these names whatever extension follows.
bool isDeviceName(const std::string& name) {
    std::string stem = upperAscii(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* d : kDevices)
        if (stem == d) return true;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '0' &&
        stem[3] <= '9')
        return true;
    return false;
}

}  // namespace

bool isAcceptableScriptName(const std::string& name) {
    if (trimSpaces(name).empty()) return false;
    for (unsigned char c : name) {
        if (c < 32) return false;
        if (std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
    }
    if (isDeviceName(name)) return false;
    return utf8ToGbk(name).has_value();
}

bool sameFileName(const std::string& a, const std::string& b) { return upperAscii(a) == upperAscii(b); }

std::string trimSpaces(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace tapmill
