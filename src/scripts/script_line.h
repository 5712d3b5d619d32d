#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/input.h"

// The command lines of hand-written scripts, recognised and read byte for byte on their GBK bytes:
// a Chinese character is 2 bytes, a digit or Latin letter 1.
namespace tapmill::scripts {

enum class LineKind {
    Other,  // matches no command: does nothing
    Start,
    End,
    DelayMilliseconds,
    DelaySeconds,
    KeyClick,
    KeyDown,
    KeyUp,
    MoveTo,
    LeftClick,
    LeftDoubleClick,
    RightClick,
    LeftDown,
    LeftUp,
    // The building blocks beyond the recorded actions; their operands are read in script_flow_line.
    TypeText,
    RandomDelay,
    LoopStart,
    LoopEnd,
    Label,
    Jump,
    WaitWindow,
    ActivateWindow,
    WaitColour,
    WaitImage,
    MoveToFound,
    AnchorWindow,
    ScreenPositions,
};

// The prefixes exclude one another, so a line is at most one command.
LineKind classifyLine(const std::string& line);

// What a line waits, in milliseconds: n of a delay line, n × 1000 of a seconds delay (its last 2
// bytes are not examined), kept to the low 32 bits; 0 for any other line. Throws ScriptFault when
// n does not read as an integer.
int32_t lineWaitMs(const std::string& line);

// The virtual-key code a key line presses, from the key name after its 10-byte prefix; empty when
// nothing follows the prefix. Throws ScriptFault for a name without a code.
std::optional<uint8_t> lineKeyCode(const std::string& line);

// The point of a move line: x stands 2 bytes after the first "X" up to the first "y", y from 2
// bytes after that "y" to the end. Throws ScriptFault when either does not read as an integer.
platform::Point lineMoveTarget(const std::string& line);

}  // namespace tapmill::scripts
