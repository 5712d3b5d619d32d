#include "scripts/script_file.h"

#include "platform/files.h"

namespace tapmill::scripts {

std::string scriptPath(const std::string& exedir, const std::string& name) {
    return exedir + "jb_homa\\" + name + ".ini";
}

std::string scriptImageFolder(const std::string& exedir, const std::string& name) {
    return exedir + "jb_homa\\图片\\" + name + "\\";
}

std::vector<std::string> splitScriptLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::string joinScriptLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::optional<std::vector<std::string>> readScriptFile(const std::string& path) {
    std::string bytes;
    if (files::identity(path).size > kMaxScriptFileBytes || !files::readAll(path, bytes)) return std::nullopt;
    return splitScriptLines(bytes);
}

bool writeScriptFile(const std::string& path, const std::vector<std::string>& lines) {
    return files::replaceAtomically(path, joinScriptLines(lines));
}

}  // namespace tapmill::scripts
