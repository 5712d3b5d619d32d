#include "scripts/edit_history.h"

#include <utility>

namespace tapmill::scripts {

void EditHistory::record(State before) {
    steps_.push_back(std::move(before));
    if (steps_.size() > kSteps) steps_.pop_front();
}

std::optional<EditHistory::State> EditHistory::undo() {
    if (steps_.empty()) return std::nullopt;
    State state = std::move(steps_.back());
    steps_.pop_back();
    return state;
}

}  // namespace tapmill::scripts
