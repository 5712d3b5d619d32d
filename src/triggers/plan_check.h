#pragma once
// The due-task check that every tick of the clock runs while the plan runs.
#include <functional>
#include <string>

#include "platform/clock.h"
#include "ui/controls.h"

namespace tapmill::plan {

// Tests each task of the list, in list order, against the clock: the full test (its "Time" is the
// current "yyyyMMddhhmmss") or, for a daily task ("E" is "Y"), the daily test (its "Time" from the
// 9th character on is the current "hhmmss"). A task either test matches is started once, by
// calling start with its section, and the check goes on once it returns. The clock and the file
// are read at the start of the check and afresh after every start, the only thing in a check that
// lets time pass.
//
// A started task pumps messages, so meanwhile the list may be refilled and the plan ended. The
// check stops once planon is cleared; on a list that changed it goes on with the tasks it has not
// yet tested this time, in the new list's order, and never asks for an entry beyond the list's end.
// An error thrown by start ends the whole check.
void checkDueTasks(const std::string& planPath, const ui::ItemList& tasks, platform::LocalClock& clock,
                   const bool& planon, const std::function<void(const std::string& section)>& start);

}  // namespace tapmill::plan
