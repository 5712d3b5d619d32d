#pragma once
#include <string>
#include <vector>

namespace tapmill::scripts {

// The lines a script run executes, with a highlight per line and a current line. Lines are GBK
// bytes, exactly as the script file holds them. The main window's hidden list and the editor's
// visible list both offer it, so a run reads whichever list it was handed, as it is at each step.
class RunList {
public:
    virtual ~RunList() = default;
    virtual int count() const = 0;
    // 0 <= index < count().
    virtual std::string line(int index) const = 0;
    virtual void setLines(std::vector<std::string> lines) = 0;
    // Highlighting a line also makes it the current line; removing a highlight leaves the current
    // line where it is. An index outside the list changes nothing.
    virtual void setHighlighted(int index, bool highlighted) = 0;
    virtual bool highlighted(int index) const = 0;
    // The current line, or -1 when there is none.
    virtual int currentLine() const = 0;
};

}  // namespace tapmill::scripts
