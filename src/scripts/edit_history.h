#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tapmill::scripts {

// The editor's undo: the lines as they stood before each change the user made, the newest last.
// Each change is one step however many lines it touched (a combination inserts three, a move of
// a block swaps several).
class EditHistory {
public:
    struct State {
        std::vector<std::string> lines;
        int currentLine = -1;
    };

    // A script of a few hundred lines keeps its whole recent history in well under a megabyte.
    static constexpr size_t kSteps = 100;

    void record(State before);
    // The state before the newest change, which leaves the history; nothing when there is none.
    std::optional<State> undo();
    void clear() { steps_.clear(); }

private:
    std::deque<State> steps_;
};

}  // namespace tapmill::scripts
