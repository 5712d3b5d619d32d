// plan.ini on arbitrary bytes: the task list read from it, the due-task check over that list with
// tasks that change the list while they "run", and each task's start values. Checked: the check
// asks for no entry beyond the list's end, starts only tasks whose time has come, and reads no
// value longer than the program's limit; a task written by the plan window reads back as written.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/gbk.h"
#include "common/timestamp.h"
#include "platform/files.h"
#include "triggers/plan_check.h"
#include "triggers/plan_file.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "plan fuzzer: %s: %s\n", what, detail.c_str());
    std::abort();
}

// The main window's task list: an entry beyond its end is a failure, not an empty text.
class TaskList : public tapmill::ui::ItemList {
public:
    int id() const override { return 1; }
    void setVisible(bool) override {}
    bool visible() const override { return false; }
    void setEnabled(bool) override {}
    bool enabled() const override { return true; }
    void bringToFront() override {}
    void setFocus() override {}
    std::string text() const override { return ""; }
    void setText(const std::string&) override {}
    void clear() override { items_.clear(); }
    void addItem(const std::string& item) override { items_.push_back(item); }
    void insertItem(int index, const std::string& item) override { items_.insert(items_.begin() + index, item); }
    void removeItem(int index) override { items_.erase(items_.begin() + index); }
    int count() const override { return static_cast<int>(items_.size()); }
    std::string item(int index) const override {
        if (index < 0 || index >= count()) fail("entry beyond the list", std::to_string(index));
        return items_[static_cast<size_t>(index)];
    }
    int selectedIndex() const override { return -1; }
    void setSelectedIndex(int) override {}

private:
    std::vector<std::string> items_;
};

class Clock : public tapmill::platform::LocalClock {
public:
    tapmill::LocalTime now() override { return time; }
    tapmill::LocalTime time;
};

// A moment from 14 input digits (each field brought into its range), so that "Time" values taken
// from the file can come due.
tapmill::LocalTime momentOf(const std::string& digits) {
    auto field = [&](size_t at, size_t n, int lo, int hi) {
        int v = 0;
        for (size_t i = at; i < at + n && i < digits.size(); ++i)
            v = v * 10 + (digits[i] >= '0' && digits[i] <= '9' ? digits[i] - '0' : 0);
        return lo + v % (hi - lo + 1);
    };
    return {field(0, 4, 1, 9999), field(4, 2, 1, 12), field(6, 2, 1, 28), field(8, 2, 0, 23), field(10, 2, 0, 59),
            field(12, 2, 0, 59)};
}

void checkTheCheck(const std::string& path, FuzzedDataProvider& in) {
    TaskList list;
    for (const std::string& section : tapmill::plan::taskSections(path)) list.addItem(tapmill::plan::displayName(section));
    Clock clock;
    clock.time = momentOf(in.ConsumeBool() && list.count() > 0
                              ? tapmill::plan::readTaskValue(path, tapmill::plan::sectionOf(list.item(0)).value_or(""), "Time")
                              : in.ConsumeBytesAsString(14));
    const std::string now = tapmill::timestamp14(clock.time);
    bool planon = true;
    int starts = 0;
    tapmill::plan::checkDueTasks(path, list, clock, planon, [&](const std::string& section) {
        const std::string time = tapmill::plan::readTaskValue(path, section, "Time");
        const bool daily = tapmill::plan::readTaskValue(path, section, "E") == "Y";
        if (time != now && !(daily && time.size() > 8 && time.substr(8, 12) == now.substr(8)))
            fail("started a task that is not due", section + " at " + time);
        for (const char* key : {"Time", "jbname", "speed", "times", "E"})
            if (tapmill::plan::readTaskValue(path, section, key).size() > 2047) fail("value beyond the limit", key);
        try {
            tapmill::plan::readTaskStart(path, section);
        } catch (const tapmill::Error&) {
        }
        // A running task may see the list refilled, shortened or the plan ended.
        switch (in.ConsumeIntegralInRange<int>(0, 4)) {
            case 0: list.clear(); break;
            case 1:
                if (list.count() > 0) list.removeItem(in.ConsumeIntegralInRange<int>(0, list.count() - 1));
                break;
            case 2: planon = false; break;
            default: break;
        }
        if (++starts > 10000) fail("the check does not end", section);
    });
}

void checkWrittenTaskReadsBack(const std::string& path, FuzzedDataProvider& in) {
    const std::string name = in.ConsumeRandomLengthString(12);
    if (name.find_first_not_of(" \t") == std::string::npos || !tapmill::plan::isStorableTaskName(name)) return;
    tapmill::plan::TaskEntry task;
    task.time = "20261207083000";
    task.script = "s" + std::to_string(in.ConsumeIntegral<uint16_t>());
    task.plainRecording = in.ConsumeBool();
    task.speed = in.ConsumeIntegralInRange<int>(0, 10);
    const int32_t times = in.ConsumeIntegral<int32_t>();
    task.times = std::to_string(times);
    const std::string section = *tapmill::plan::sectionOf(name);
    try {
        tapmill::plan::writeTask(path, section, task);
    } catch (const tapmill::Error& e) {
        fail("write failed", e.what());
    }
    tapmill::plan::TaskStart start;
    try {
        start = tapmill::plan::readTaskStart(path, section);
    } catch (const tapmill::Error& e) {
        // A hand-written script's task leaves "speed" as the file had it, and a faulty one fails.
        if (task.plainRecording) fail("the written task does not convert", e.what());
        return;
    }
    if (start.script != task.script || start.plainRecording != task.plainRecording || start.times != times ||
        (task.plainRecording && start.speed != task.speed))
        fail("task read back differently", name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    FuzzedDataProvider in(data, size);
    // A new file each run, so that the profile layer's cache never mistakes one run's file for another's.
    const std::string path = "/tmp/tapmill_fuzz_plan_" + std::to_string(getpid()) + "_" + std::to_string(runs++ % 64) + ".ini";
    tapmill::files::removeFile(path);
    std::ofstream(path, std::ios::binary) << in.ConsumeRandomLengthString(4096);
    checkTheCheck(path, in);
    checkWrittenTaskReadsBack(path, in);
    tapmill::files::removeFile(path);
    return 0;
}
