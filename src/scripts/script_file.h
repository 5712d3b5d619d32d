#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Script files: GBK text, one command line per line. Lines are written with CR LF; reading also
// takes a lone CR or a lone LF as a line end.
namespace tapmill::scripts {

// The file of a script in the program folder: exedir + "jb_homa\" + name + ".ini".
std::string scriptPath(const std::string& exedir, const std::string& name);

// The folder of the pictures a script's image lines look for:
// exedir + "jb_homa\图片\" + name + "\", each picture in it a bitmap "<image name>.bmp".
std::string scriptImageFolder(const std::string& exedir, const std::string& name);

// An empty line between two line ends is an empty line; a final line end adds none.
std::vector<std::string> splitScriptLines(const std::string& bytes);
// Every line, the last one too, followed by CR LF.
std::string joinScriptLines(const std::vector<std::string>& lines);

// A script is typed line by line in the editor: a few kilobytes. A file beyond this size (some
// 200,000 lines) is no script, and its lines would not fit the program's lists.
inline constexpr uint64_t kMaxScriptFileBytes = 4ull << 20;

// The lines of a file, or nothing when it cannot be read or is larger than kMaxScriptFileBytes.
std::optional<std::vector<std::string>> readScriptFile(const std::string& path);
// Replaces the whole file; a failure leaves the old file as it was.
bool writeScriptFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tapmill::scripts
