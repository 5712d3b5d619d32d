#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "scripts/run_list.h"

namespace tapmill::scripts {

// The loops and jumps of a script run. Made when the run starts, before it injects anything: it
// reads every building-block line up to the first end line, pairs each "循环" with its "循环结束"
// and finds every label, or throws ScriptLineFault naming a line that is wrong. During the run it
// keeps the loops the run is inside and says which line comes after a loop, loop-end or jump line.
class ScriptFlow {
public:
    explicit ScriptFlow(const RunList& lines);

    // A pass starts outside every loop.
    void startPass() { active_.clear(); }
    // The line after the loop line at i: its first line, or the line after its end for n = 0.
    int afterLoopStart(int i);
    // The line after the loop end at i: the loop's first line while passes are left, else the next.
    int afterLoopEnd(int i);
    // The label's line; the loops the label is not in are left.
    int jump(int from, const std::string& label);

private:
    void check();
    // The lines may change while the run goes on (the editor's run reads the lines the user edits):
    // a line read that differs from what was checked has everything checked again.
    void recheckIfChanged(int i);
    bool inside(int loopStart, int line) const { return loopStart < line && line < partner_[loopStart]; }

    struct ActiveLoop {
        int start;
        int32_t left;
    };

    const RunList& lines_;
    std::vector<std::string> checked_;
    std::vector<int> partner_;      // a loop start's end and an end's start; -1 for other lines
    std::vector<int32_t> counts_;   // the count of each loop start
    std::map<std::string, int> labels_;
    std::vector<ActiveLoop> active_;
};

}  // namespace tapmill::scripts
