// One due-task check over a plan of many tasks, none of them due: the work every tick of the clock
// does while the plan runs. A tick comes once a second, so the check must stay far below that.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/gbk.h"
#include "triggers/plan_check.h"
#include "triggers/plan_file.h"
#include "ui/memory/memory_controls.h"

namespace {

class FixedClock : public tapmill::platform::LocalClock {
public:
    tapmill::LocalTime now() override { return {2026, 12, 7, 9, 0, 0}; }
};

// plan.ini with `tasks` tasks as the plan window writes them, half of them daily, and the list of
// their names as the main window shows it.
std::string writePlan(const std::string& folder, int tasks, const std::string& namePrefix,
                      tapmill::ui::ListBox& list) {
    const std::string prefix = tapmill::utf8ToGbk(namePrefix).value();
    std::string text;
    for (int i = 0; i < tasks; ++i) {
        const std::string name = prefix + std::to_string(i);
        text += "[" + name + "]\r\nTime=20261207" + (i % 2 ? "100000" : "083000") + "\r\njbname=demoR\r\nspeed=5\r\n" +
                "times=1\r\nE=" + (i % 2 ? "Y" : "N") + "\r\n";
    }
    const std::string path = folder + "/plan.ini";
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    for (const std::string& section : tapmill::plan::taskSections(path)) list.addItem(tapmill::plan::displayName(section));
    return path;
}

void runChecks(benchmark::State& state, const std::string& namePrefix) {
    const int tasks = static_cast<int>(state.range(0));
    char name[] = "/tmp/tapmill_plan_bench_XXXXXX";
    const std::string folder = ::mkdtemp(name) ? name : "/tmp";
    tapmill::ui::memory::MemoryListBox list(1, false);
    const std::string path = writePlan(folder, tasks, namePrefix, list);
    FixedClock clock;
    const bool planon = true;
    int started = 0;
    for (auto _ : state)
        tapmill::plan::checkDueTasks(path, list, clock, planon, [&](const std::string&) { ++started; });
    if (started != 0) state.SkipWithError("a task was due");
    state.SetItemsProcessed(state.iterations() * tasks);
    std::filesystem::remove_all(folder);
}

void BM_PlanCheck(benchmark::State& state) { runChecks(state, "task"); }
BENCHMARK(BM_PlanCheck)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// Chinese names pass through the GBK conversion on every tick.
void BM_PlanCheckChineseNames(benchmark::State& state) { runChecks(state, "任务"); }
BENCHMARK(BM_PlanCheckChineseNames)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
