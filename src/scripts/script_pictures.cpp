#include "scripts/script_pictures.h"

#include "common/bmp_file.h"
#include "scripts/script_fault.h"
#include "scripts/script_flow_line.h"
#include "scripts/script_line.h"

namespace tapmill::scripts {

namespace {

// A message box shows this many; the rest are told of by their number.
constexpr size_t kReportedPictures = 10;

}  // namespace

std::string unreadablePictureMessage(const std::string& path) {
    return "找不到图片文件，或它不是能读的BMP图片：" + path;
}

std::vector<MissingPicture> missingPictures(const std::vector<std::string>& lines, const std::string& folder) {
    std::vector<MissingPicture> missing;
    for (size_t i = 0; i < lines.size(); ++i) {
        const LineKind kind = classifyLine(lines[i]);
        if (kind == LineKind::End) break;
        if (kind != LineKind::WaitImage) continue;
        try {
            const std::string path = folder + lineImage(lines[i]).name + ".bmp";
            if (!readBmp(path)) missing.push_back({static_cast<int>(i) + 1, path});
        } catch (const ScriptLineFault&) {
            // A line that does not read is told of by the check of the lines, not here.
        }
    }
    return missing;
}

std::string missingPicturesReport(const std::vector<MissingPicture>& missing) {
    std::string report = "脚本已保存。但下面这些“等待图片”行的图片不存在或不能读，脚本运行时会出错：";
    for (size_t i = 0; i < missing.size() && i < kReportedPictures; ++i)
        report += "\n第" + std::to_string(missing[i].line) + "行：" + missing[i].path;
    if (missing.size() > kReportedPictures) report += "\n……共" + std::to_string(missing.size()) + "行";
    return report;
}

}  // namespace tapmill::scripts
