#include "triggers/plan_check.h"

#include <unordered_set>

#include "common/timestamp.h"
#include "triggers/plan_file.h"

namespace tapmill::plan {

namespace {

// The part of a task's "Time" the daily test compares: from its 9th character on, at most 12.
std::string dailyPart(const std::string& time) { return time.size() > 8 ? time.substr(8, 12) : std::string(); }

std::string timeOfDay(const LocalTime& t) { return timestamp14(t).substr(8); }

// Starts the task when either test matches; true when it did. On a daily task's own date both
// match in the same second, and still it runs once.
bool testTask(const std::string& planPath, const std::string& section, platform::LocalClock& clock,
              const std::function<void(const std::string&)>& start) {
    const std::string time = readTaskValue(planPath, section, "Time");
    const bool due = timestamp14(clock.now()) == time ||
                     (readTaskValue(planPath, section, "E") == "Y" && timeOfDay(clock.now()) == dailyPart(time));
    if (due) start(section);
    return due;
}

}  // namespace

void checkDueTasks(const std::string& planPath, const ui::ItemList& tasks, platform::LocalClock& clock,
                   const bool& planon, const std::function<void(const std::string& section)>& start) {
    std::unordered_set<std::string> tested;
    int i = 0;
    while (planon && i < tasks.count()) {
        const std::string name = tasks.item(i);
        if (!tested.insert(name).second) {
            ++i;
            continue;
        }
        const std::optional<std::string> section = sectionOf(name);
        const bool started = section && testTask(planPath, *section, clock, start);
        // A start pumps messages, and the plan window may have refilled the list meanwhile: then
        // the walk begins again at the top, passing over what it has tested.
        if (started && (i >= tasks.count() || tasks.item(i) != name))
            i = 0;
        else
            ++i;
    }
}

}  // namespace tapmill::plan
