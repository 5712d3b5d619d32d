// Script files from anywhere (edited by hand, half-written, not GBK at all): splitting them into
// lines and reading every line's command and operands must never crash, and reading only ever
// ends in a value or the script's own fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scripts/script_fault.h"
#include "scripts/script_file.h"
#include "scripts/script_flow_line.h"
#include "scripts/script_line.h"

using namespace tapmill::scripts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = splitScriptLines(bytes);
    // Written back and read again, the lines are the same lines.
    if (splitScriptLines(joinScriptLines(lines)) != lines) std::abort();
    for (const std::string& line : lines) {
        if (line.find('\r') != std::string::npos || line.find('\n') != std::string::npos) std::abort();
        try {
            switch (classifyLine(line)) {
                case LineKind::DelayMilliseconds:
                case LineKind::DelaySeconds: lineWaitMs(line); break;
                case LineKind::KeyClick:
                case LineKind::KeyDown:
                case LineKind::KeyUp: lineKeyCode(line); break;
                case LineKind::MoveTo: lineMoveTarget(line); break;
                case LineKind::TypeText: lineText(line); break;
                case LineKind::RandomDelay: lineDelayRange(line); break;
                case LineKind::LoopStart: lineLoopCount(line); break;
                case LineKind::Label: lineLabel(line); break;
                case LineKind::Jump: lineJumpTarget(line); break;
                case LineKind::WaitWindow:
                case LineKind::ActivateWindow: lineWindow(line); break;
                default: break;
            }
        } catch (const ScriptFault&) {
            // A faulty line is the script's fault, reported when it runs.
        }
    }
    return 0;
}
