#pragma once
#include <string>
#include <vector>

// What is wrong with the lines of a script before it runs: the editor's text view refuses to take
// lines back while one is faulty.
namespace tapmill::scripts {

struct LineFault {
    int number;  // the line's number, from 1; one past the last line for a missing end mark
    std::string reason;
};

// Each line read as the interpreter reads it (GBK bytes): a number or key name that does not
// read, a key line without a key, a text that is no command. An empty line does nothing and
// passes. The script must begin with the start mark and have an end mark.
std::vector<LineFault> scriptFaults(const std::vector<std::string>& lines);

// The fault of one line, as a fault of line `number` would be reported: "" for a line that reads.
std::string lineFaultReason(const std::string& line);

// The message that lists the faults, one a line, the first ones when there are many.
std::string faultReport(const std::vector<LineFault>& faults);

}  // namespace tapmill::scripts
