#include "triggers/plan_check.h"

#include <unordered_set>

#include "common/profile.h"
#include "common/timestamp.h"
#include "triggers/plan_file.h"

namespace tapmill::plan {

namespace {

// The part of a task's "Time" the daily test compares: from its 9th character on, at most 12.
std::string dailyPart(const std::string& time) { return time.size() > 8 ? time.substr(8, 12) : std::string(); }

// The clock as the tests compare it: the full "yyyyMMddhhmmss" and its time of day "hhmmss".
struct ClockText {
    explicit ClockText(platform::LocalClock& clock) : full(timestamp14(clock.now())), timeOfDay(full.substr(8)) {}
    std::string full;
    std::string timeOfDay;
};

// Starts the task when either test matches; true when it did. On a daily task's own date both
// match in the same second, and still it runs once.
bool testTask(const std::string& planPath, const std::string& section, const ClockText& now,
              const std::function<void(const std::string&)>& start) {
    const std::string time = readTaskValue(planPath, section, "Time");
    const bool due =
        now.full == time || (readTaskValue(planPath, section, "E") == "Y" && now.timeOfDay == dailyPart(time));
    if (due) start(section);
    return due;
}

}  // namespace

void checkDueTasks(const std::string& planPath, const ui::ItemList& tasks, platform::LocalClock& clock,
                   const bool& planon, const std::function<void(const std::string& section)>& start) {
    // Only a start lets time pass and anything else run, so the clock and the file are looked at
    // once, and again after each start, rather than at every test.
    profile::SteadyReads steady(planPath);
    ClockText now(clock);
    const auto startAndLookAgain = [&](const std::string& section) {
        start(section);
        steady.recheck();
        now = ClockText(clock);
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
        const bool started = section && testTask(planPath, *section, now, startAndLookAgain);
        // A start pumps messages, and the plan window may have refilled the list meanwhile: then
        // the walk begins again at the top, passing over what it has tested.
        if (started && (i >= tasks.count() || tasks.item(i) != name))
            i = 0;
        else
            ++i;
    }
}

}  // namespace tapmill::plan
