#include "scripts/script_check.h"

#include "scripts/script_fault.h"
#include "scripts/script_flow.h"
#include "scripts/script_flow_line.h"
#include "scripts/script_line.h"
#include "scripts/script_signs.h"
#include "scripts/script_words.h"

namespace tapmill::scripts {

namespace {

// A message box shows this many; the user mends them and is told of the rest next time.
constexpr size_t kReportedFaults = 10;

// The lines as a run would read them, so the loops and jumps are checked as a run checks them.
class CheckedLines : public RunList {
public:
    explicit CheckedLines(const std::vector<std::string>& lines) : lines_(lines) {}
    int count() const override { return static_cast<int>(lines_.size()); }
    std::string line(int index) const override { return lines_.at(static_cast<size_t>(index)); }
    void setLines(std::vector<std::string>) override {}
    void setHighlighted(int, bool) override {}
    bool highlighted(int) const override { return false; }
    int currentLine() const override { return -1; }

private:
    const std::vector<std::string>& lines_;
};

}  // namespace

// Every kind is named, so that a new kind of line cannot slip through unchecked.
std::string lineFaultReason(const std::string& line) {
    const LineKind kind = classifyLine(line);
    try {
        switch (kind) {
            case LineKind::Other: {
                if (line.empty()) return "";
                // "等待窗口:" is a command with the wrong colon, not some other text.
                const std::string sign = halfWidthSignFault(line);
                return sign.empty() ? "不是脚本命令" : sign;
            }
            case LineKind::DelayMilliseconds:
            case LineKind::DelaySeconds:
                lineWaitMs(line);
                return "";
            case LineKind::KeyClick:
            case LineKind::KeyDown:
            case LineKind::KeyUp:
                return lineKeyCode(line) ? "" : "缺少键名";
            case LineKind::MoveTo:
                lineMoveTarget(line);
                return "";
            case LineKind::TypeText:
                lineText(line);
                return "";
            case LineKind::RandomDelay:
                lineDelayRange(line);
                return "";
            case LineKind::LoopStart:
                lineLoopCount(line);
                return "";
            case LineKind::Label:
                lineLabel(line);
                return "";
            case LineKind::Jump:
                lineJumpTarget(line);
                return "";
            case LineKind::WaitWindow:
            case LineKind::ActivateWindow:
                lineWindow(line);
                return "";
            case LineKind::WaitColour:
                lineColour(line);
                return "";
            case LineKind::WaitImage:
                lineImage(line);
                return "";
            case LineKind::MoveToFound:
                lineFoundOffset(line);
                return "";
            case LineKind::AnchorWindow:
                lineAnchor(line);
                return "";
            case LineKind::LoopEnd:
            case LineKind::ScreenPositions:
            case LineKind::Start:
            case LineKind::End:
            case LineKind::LeftClick:
            case LineKind::LeftDoubleClick:
            case LineKind::RightClick:
            case LineKind::LeftDown:
            case LineKind::LeftUp:
                return "";
        }
    } catch (const ScriptLineFault& fault) {
        return fault.reason();
    } catch (const ScriptFault&) {
        if (kind == LineKind::MoveTo) return "坐标不是整数（应为 鼠标移至X=数字y=数字）";
        if (kind == LineKind::DelayMilliseconds || kind == LineKind::DelaySeconds) return "延时的时间不是整数";
        return "没有这个键名";
    }
    return "";
}

std::vector<LineFault> scriptFaults(const std::vector<std::string>& lines) {
    const ScriptWords& words = scriptWords();
    std::vector<LineFault> faults;
    if (lines.empty() || lines.front() != words.start) faults.push_back({1, "脚本的第一行须为“开始”"});
    bool ended = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        ended = ended || lines[i] == words.end;
        if (i == 0 && !faults.empty()) continue;
        const std::string reason = lineFaultReason(lines[i]);
        if (!reason.empty()) faults.push_back({static_cast<int>(i) + 1, reason});
    }
    if (!ended) faults.push_back({static_cast<int>(lines.size()) + 1, "缺少“结束”，脚本运行到这里会出错"});
    if (!faults.empty()) return faults;
    // Each line reads: the loops must pair up and every jump find its label, as a run checks them.
    try {
        const CheckedLines checked(lines);
        ScriptFlow flow(checked);
    } catch (const ScriptLineFault& fault) {
        faults.push_back({fault.line() + 1, fault.reason()});
    }
    return faults;
}

std::string faultReport(const std::vector<LineFault>& faults) {
    std::string report = "脚本有错误的行，请改正后再继续：";
    for (size_t i = 0; i < faults.size() && i < kReportedFaults; ++i)
        report += "\n第" + std::to_string(faults[i].number) + "行：" + faults[i].reason;
    if (faults.size() > kReportedFaults) report += "\n……共" + std::to_string(faults.size()) + "处错误";
    return report;
}

}  // namespace tapmill::scripts
