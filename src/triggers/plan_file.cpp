#include "triggers/plan_file.h"

#include "common/error.h"
#include "common/gbk.h"
#include "common/intparse.h"
#include "common/profile.h"

namespace tapmill::plan {

namespace {

// The longest value the program reads, as through a buffer of 2048 bytes with its closing zero.
constexpr size_t kMaxValueBytes = 2047;

bool isAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

// Most names are ASCII, which GBK spells alike; the conversion is for the others.
std::optional<std::string> toGbk(const std::string& utf8) {
    if (isAscii(utf8)) return utf8;
    return utf8ToGbk(utf8);
}

std::string gbkOrThrow(const std::string& utf8, const std::string& what) {
    std::optional<std::string> gbk = toGbk(utf8);
    if (!gbk) throw Error("GBK cannot hold the " + what + " '" + utf8 + "'");
    return *gbk;
}

// The conversion error names the value as the user would read it in the file.
int32_t readTaskInteger(const std::string& planPath, const std::string& section, const std::string& key) {
    return parseInt32Strict(displayName(readTaskValue(planPath, section, key)));
}

}  // namespace

void writeTask(const std::string& planPath, const std::string& section, const TaskEntry& task) {
    const std::string jbname = gbkOrThrow(task.script, "script name") + (task.plainRecording ? "R" : "M");
    // A count GBK cannot hold could never be read back as a number either.
    const std::optional<std::string> times = toGbk(task.times);
    if (!times) throw Error("'" + task.times + "' is not a valid integer value");

    profile::writeString(planPath, section, "Time", task.time);
    profile::writeString(planPath, section, "jbname", jbname);
    if (task.plainRecording) profile::writeInteger(planPath, section, "speed", task.speed);
    profile::writeString(planPath, section, "times", *times);
    profile::writeString(planPath, section, "E", task.daily ? "Y" : "N");
}

std::string readTaskValue(const std::string& planPath, const std::string& section, const std::string& key) {
    std::string value = profile::readString(planPath, section, key, "0");
    if (value.size() > kMaxValueBytes) value.resize(kMaxValueBytes);
    return value;
}

TaskStart readTaskStart(const std::string& planPath, const std::string& section) {
    const std::string jbname = readTaskValue(planPath, section, "jbname");
    TaskStart start;
    if (!jbname.empty()) {
        start.script = gbkToUtf8Lossy(jbname.substr(0, jbname.size() - 1));
        start.plainRecording = jbname.back() == 'R';
    }
    start.speed = readTaskInteger(planPath, section, "speed");
    start.times = readTaskInteger(planPath, section, "times");
    return start;
}

std::vector<std::string> taskSections(const std::string& planPath) { return profile::sectionNames(planPath); }

void eraseTask(const std::string& planPath, const std::string& section) { profile::eraseSection(planPath, section); }

std::string displayName(const std::string& section) { return isAscii(section) ? section : gbkToUtf8Lossy(section); }

std::optional<std::string> sectionOf(const std::string& name) { return toGbk(name); }

bool isStorableTaskName(const std::string& name) {
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == ']') return false;
    return toGbk(name).has_value();
}

void writePlanState(const std::string& configPath, bool running) {
    profile::writeString(configPath, "plan", "state", running ? "true" : "false");
}

}  // namespace tapmill::plan
