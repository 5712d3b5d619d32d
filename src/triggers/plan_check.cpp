#include "triggers/plan_check.h"

#include <unordered_set>

#include "common/profile.h"
#include "common/timestamp.h"
#include "triggers/plan_file.h"

namespace tapmill::plan {

namespace {

// The part of a task's "Time" the daily test compares: from its 9th character on, at most 12.
std::string dailyPart(const std::string& time) { return time.size() > 8 ? time.substr(8, 12) : std::string(); }

std::string timeOfDay(const LocalTime& t) { return timestamp14(t).substr(8); }

// Both tests of one task; true when either started it.
bool testTask(const std::string& planPath, const std::string& section, platform::LocalClock& clock,
              const bool& planon, const std::function<void(const std::string&)>& start) {
    bool started = false;
    std::string time = readTaskValue(planPath, section, "Time");
    if (timestamp14(clock.now()) == time) {
        start(section);
        started = true;
    }
    if (!planon || readTaskValue(planPath, section, "E") != "Y") return started;
    // The first start may have run for a while; what it left in the file counts now.
    if (started) time = readTaskValue(planPath, section, "Time");
    if (timeOfDay(clock.now()) == dailyPart(time)) {
        start(section);
        started = true;
    }
    return started;
}

}  // namespace

void checkDueTasks(const std::string& planPath, const ui::ItemList& tasks, platform::LocalClock& clock,
                   const bool& planon, const std::function<void(const std::string& section)>& start) {
    // Only a start lets anything else run, so the file is looked at once, and again after each
    // start, rather than before every read.
    profile::SteadyReads steady(planPath);
    const auto startAndLookAgain = [&](const std::string& section) {
        start(section);
        steady.recheck();
    };
    std::unordered_set<std::string> tested;
    int i = 0;
    while (planon && i < tasks.count()) {
        const std::string name = tasks.item(i);
        if (!tested.insert(name).second) {
            ++i;
            continue;
        }
        const std::optional<std::string> section = sectionOf(name);
        const bool started = section && testTask(planPath, *section, clock, planon, startAndLookAgain);
        // A start pumps messages, and the plan window may have refilled the list meanwhile: then
        // the walk begins again at the top, passing over what it has tested.
        if (started && (i >= tasks.count() || tasks.item(i) != name))
            i = 0;
        else
            ++i;
    }
}

}  // namespace tapmill::plan
