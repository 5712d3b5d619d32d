#include "scripts/script_line.h"

#include "capture/keytable.h"
#include "common/intparse.h"
#include "scripts/script_fault.h"
#include "scripts/script_words.h"

namespace tapmill::scripts {

namespace {

constexpr size_t kKeyPrefixBytes = 10;

bool startsWith(const std::string& line, const std::string& prefix) {
    return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& line, const std::string& suffix) {
    return line.size() >= suffix.size() && line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The bytes between the first `head` and the last `tail` bytes; empty when the line is shorter.
std::string between(const std::string& line, size_t head, size_t tail) {
    return line.size() > head + tail ? line.substr(head, line.size() - head - tail) : std::string();
}

int32_t number(const std::string& text) {
    std::optional<int32_t> value = parseInt32(text);
    if (!value) throw ScriptFault("'" + text + "' is not a number");
    return *value;
}

}  // namespace

LineKind classifyLine(const std::string& line) {
    const ScriptWords& w = scriptWords();
    if (line == w.start) return LineKind::Start;
    if (line == w.end) return LineKind::End;
    if (startsWith(line, w.delay))
        return endsWith(line, w.milliseconds) ? LineKind::DelayMilliseconds : LineKind::DelaySeconds;
    if (startsWith(line, w.keyClick)) return LineKind::KeyClick;
    if (startsWith(line, w.keyDown)) return LineKind::KeyDown;
    if (startsWith(line, w.keyUp)) return LineKind::KeyUp;
    if (startsWith(line, w.moveTo)) return LineKind::MoveTo;
    if (line == w.leftClick) return LineKind::LeftClick;
    if (line == w.leftDoubleClick) return LineKind::LeftDoubleClick;
    if (line == w.rightClick) return LineKind::RightClick;
    if (line == w.leftDown) return LineKind::LeftDown;
    if (line == w.leftUp) return LineKind::LeftUp;
    if (startsWith(line, w.typeText)) return LineKind::TypeText;
    if (startsWith(line, w.randomDelay)) return LineKind::RandomDelay;
    if (line == w.loopEnd) return LineKind::LoopEnd;
    if (startsWith(line, w.loop)) return LineKind::LoopStart;
    if (startsWith(line, w.label)) return LineKind::Label;
    if (startsWith(line, w.jump)) return LineKind::Jump;
    if (startsWith(line, w.waitWindow)) return LineKind::WaitWindow;
    if (startsWith(line, w.activateWindow)) return LineKind::ActivateWindow;
    if (startsWith(line, w.waitColour)) return LineKind::WaitColour;
    if (startsWith(line, w.waitImage)) return LineKind::WaitImage;
    if (startsWith(line, w.moveToFound)) return LineKind::MoveToFound;
    if (startsWith(line, w.anchorWindow)) return LineKind::AnchorWindow;
    if (line == w.screenPositions) return LineKind::ScreenPositions;
    return LineKind::Other;
}

int32_t lineWaitMs(const std::string& line) {
    const size_t word = scriptWords().delay.size();
    switch (classifyLine(line)) {
        case LineKind::DelayMilliseconds:
            return number(between(line, word, scriptWords().milliseconds.size()));
        case LineKind::DelaySeconds: {
            // Seconds become milliseconds in 32-bit arithmetic: a product beyond 32 bits wraps.
            const uint32_t seconds = static_cast<uint32_t>(number(between(line, word, 2)));
            return static_cast<int32_t>(seconds * 1000u);
        }
        default:
            return 0;
    }
}

std::optional<uint8_t> lineKeyCode(const std::string& line) {
    if (line.size() <= kKeyPrefixBytes) return std::nullopt;
    const std::string name = line.substr(kKeyPrefixBytes);
    std::optional<int> code = keycode(name);
    if (!code) throw ScriptFault("'" + name + "' is no key name");
    return static_cast<uint8_t>(*code);
}

platform::Point lineMoveTarget(const std::string& line) {
    const size_t x = line.find('X');
    const size_t y = line.find('y');
    if (x == std::string::npos || y == std::string::npos) throw ScriptFault("a move line without X= and y=");
    // The 2 bytes after each letter ("X=", "y=") are skipped unexamined.
    const size_t xFrom = x + 2, yFrom = y + 2;
    const std::string xText = y > xFrom ? line.substr(xFrom, y - xFrom) : std::string();
    const std::string yText = yFrom < line.size() ? line.substr(yFrom) : std::string();
    return {number(xText), number(yText)};
}

}  // namespace tapmill::scripts
