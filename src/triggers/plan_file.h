#pragma once
// plan.ini: one section per plan task, named after the task, holding GBK text:
//   Time   = "yyyyMMddhhmmss", the moment (only its time of day for a daily task)
//   jbname = the script's name followed by its type letter, "R" plain recording, "M" hand-written
//   speed  = the plain player's speed (plain recordings only)
//   times  = the play count, "-359" for endless
//   E      = "Y" every day, "N" once
// and the plan's running state, kept in config.ini.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tapmill::plan {

// A task as the plan window adds it. Texts are UTF-8.
struct TaskEntry {
    std::string time;  // "yyyyMMddhhmmss"
    std::string script;
    bool plainRecording = true;
    int speed = 5;
    std::string times;  // the play count as typed
    bool daily = false;
};

// Writes the keys Time, jbname, speed (plain recordings only), times and E, in that order, into
// the section; a key not written this time keeps what it held. Every text is converted to GBK
// before the first write, so a text GBK cannot hold leaves the file untouched (Error). A failed
// write throws "Unable to write to <path>" and leaves the keys before it written.
void writeTask(const std::string& planPath, const std::string& section, const TaskEntry& task);

// A key of a task as the program reads it: a missing file, section or key reads "0", and no more
// than 2047 bytes of a value are read.
std::string readTaskValue(const std::string& planPath, const std::string& section, const std::string& key);

// What a task starts: "jbname" without its last byte, played by the plain player only when that
// byte is an upper-case "R"; "speed" and "times" as 32-bit integers.
struct TaskStart {
    std::string script;  // UTF-8
    bool plainRecording = false;
    int32_t speed = 0;
    int32_t times = 0;
};
// Throws the conversion error ("'x' is not a valid integer value") for a speed or count that is
// no 32-bit integer.
TaskStart readTaskStart(const std::string& planPath, const std::string& section);

// The task sections in file order, GBK bytes as stored.
std::vector<std::string> taskSections(const std::string& planPath);
void eraseTask(const std::string& planPath, const std::string& section);

// Task names as the lists show them (UTF-8), and the section a listed name stands for; empty for a
// name that is no GBK text, which then names no task.
std::string displayName(const std::string& section);
std::optional<std::string> sectionOf(const std::string& displayName);

// Whether a typed task name can be stored as a section name and found again under it: GBK can
// hold it, and it has no "]" (which would end the section header early) and no control character.
bool isStorableTaskName(const std::string& name);

// The plan's state in config.ini, section "plan", key "state": "true" while it runs.
void writePlanState(const std::string& configPath, bool running);

}  // namespace tapmill::plan
