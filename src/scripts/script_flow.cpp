#include "scripts/script_flow.h"

#include <optional>
#include <utility>

#include "scripts/script_fault.h"
#include "scripts/script_flow_line.h"
#include "scripts/script_line.h"

namespace tapmill::scripts {

namespace {

const char kEndWithoutLoop[] = "“循环结束”前面没有对应的“循环”";
const char kLoopWithoutEnd[] = "这个“循环”没有对应的“循环结束”";
const char kTwoLabels[] = "前面已有同名的标签";
const char kNoSuchLabel[] = "脚本里没有这个标签";
const char kIntoLoop[] = "不能从循环外面跳到循环里面";

// The label a line jumps to, if it is a jump or a waiting line that names one. The lines that
// name none are read all the same, so a faulty one is found before the run starts.
std::optional<std::string> jumpTarget(const std::string& line, LineKind kind) {
    switch (kind) {
        case LineKind::Jump: return lineJumpTarget(line);
        case LineKind::WaitWindow:
        case LineKind::ActivateWindow: return lineWindow(line).end.otherwise;
        case LineKind::WaitColour: return lineColour(line).end.otherwise;
        case LineKind::WaitImage: return lineImage(line).end.otherwise;
        case LineKind::AnchorWindow: return lineAnchor(line).end.otherwise;
        case LineKind::MoveToFound: lineFoundOffset(line); return std::nullopt;
        default: return std::nullopt;
    }
}

}  // namespace

ScriptFlow::ScriptFlow(const RunList& lines) : lines_(lines) { check(); }

void ScriptFlow::check() {
    checked_.clear();
    for (int i = 0; i < lines_.count(); ++i) checked_.push_back(lines_.line(i));
    const int n = static_cast<int>(checked_.size());
    partner_.assign(checked_.size(), -1);
    counts_.assign(checked_.size(), 0);
    labels_.clear();
    active_.clear();
    // The loop each line stands in (-1 for none), and the jumps to resolve once all labels are known.
    std::vector<int> enclosing(checked_.size(), -1);
    std::vector<std::pair<int, std::string>> jumps;
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        const std::string& line = checked_[i];
        const LineKind kind = classifyLine(line);
        // Lines after the first end line never run.
        if (kind == LineKind::End) break;
        enclosing[i] = open.empty() ? -1 : open.back();
        try {
            switch (kind) {
                case LineKind::TypeText: lineText(line); break;
                case LineKind::RandomDelay: lineDelayRange(line); break;
                case LineKind::LoopStart:
                    counts_[i] = lineLoopCount(line);
                    open.push_back(i);
                    break;
                case LineKind::LoopEnd:
                    if (open.empty()) throw ScriptLineFault(kEndWithoutLoop);
                    partner_[i] = open.back();
                    partner_[open.back()] = i;
                    open.pop_back();
                    break;
                case LineKind::Label:
                    if (!labels_.emplace(lineLabel(line), i).second) throw ScriptLineFault(kTwoLabels);
                    break;
                default:
                    if (std::optional<std::string> target = jumpTarget(line, kind)) jumps.emplace_back(i, *target);
                    break;
            }
        } catch (const ScriptLineFault& fault) {
            throw ScriptLineFault(fault.reason(), i);
        }
    }
    if (!open.empty()) throw ScriptLineFault(kLoopWithoutEnd, open.back());
    for (const auto& [from, label] : jumps) {
        auto target = labels_.find(label);
        if (target == labels_.end()) throw ScriptLineFault(kNoSuchLabel, from);
        // A jump may leave loops, but not enter one: its count would never have been set.
        for (int loop = enclosing[target->second]; loop >= 0; loop = enclosing[loop])
            if (!inside(loop, from)) throw ScriptLineFault(kIntoLoop, from);
    }
}

void ScriptFlow::recheckIfChanged(int i) {
    if (lines_.count() != static_cast<int>(checked_.size()) || i < 0 || i >= lines_.count() ||
        lines_.line(i) != checked_[static_cast<size_t>(i)])
        check();
}

int ScriptFlow::afterLoopStart(int i) {
    recheckIfChanged(i);
    if (counts_[i] == 0) return partner_[i] + 1;
    active_.push_back({i, counts_[i]});
    return i + 1;
}

int ScriptFlow::afterLoopEnd(int i) {
    recheckIfChanged(i);
    const int start = partner_[i];
    // A loop end the run did not enter through its start (the lines changed meanwhile) is passed.
    if (!active_.empty() && active_.back().start == start) {
        if (--active_.back().left > 0) return start + 1;
        active_.pop_back();
    }
    return i + 1;
}

int ScriptFlow::jump(int from, const std::string& label) {
    recheckIfChanged(from);
    auto target = labels_.find(label);
    if (target == labels_.end()) throw ScriptLineFault(kNoSuchLabel, from);
    while (!active_.empty() && !inside(active_.back().start, target->second)) active_.pop_back();
    return target->second;
}

}  // namespace tapmill::scripts
