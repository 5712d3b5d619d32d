#pragma once
#include <string>

#include "scripts/run_list.h"

#include "common/error.h"

namespace tapmill::scripts {

// A script that cannot be carried out: its file is missing, it has no end line, or a line holds a
// number or key name that does not read. The run ends and the user is told the script is faulty.
class ScriptFault : public Error {
public:
    using Error::Error;
};

// A line of the building blocks (text, random delays, loops, jumps, windows) that ends the run,
// with what is wrong in the user's words, so the message can name the line. The line is -1 until
// the run, which knows where the line stands, fills it in.
class ScriptLineFault : public ScriptFault {
public:
    explicit ScriptLineFault(const std::string& reason, int line = -1)
        : ScriptFault(reason), reason_(reason), line_(line) {}
    // The first line of the message: the line is faulty.
    virtual const char* headline() const { return "脚本出错，请检查后再运行！"; }
    const std::string& reason() const { return reason_; }
    int line() const { return line_; }

private:
    std::string reason_;
    int line_;
};

// A waiting line whose window, colour or image did not come within its limit, and which names no
// label to go on at, or a move to the place found when nothing was found: the script is not
// faulty, but the run cannot go on.
class WindowTimeout : public ScriptLineFault {
public:
    using ScriptLineFault::ScriptLineFault;
    const char* headline() const override { return "脚本已停止！"; }
};

// The message that names the line: its headline, the line's number (from 1) and text, and what
// is wrong with it.
std::string lineFaultMessage(const ScriptLineFault& fault, const RunList& lines);

}  // namespace tapmill::scripts
