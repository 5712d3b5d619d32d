#include "scripts/script_fault.h"

#include "common/gbk.h"

namespace tapmill::scripts {

std::string lineFaultMessage(const ScriptLineFault& fault, const RunList& lines) {
    const int line = fault.line();
    const std::string text = line >= 0 && line < lines.count() ? gbkToUtf8Lossy(lines.line(line)) : std::string();
    return std::string(fault.headline()) + "\n第" + std::to_string(line + 1) + "行：" + text + "\n" + fault.reason();
}

}  // namespace tapmill::scripts
