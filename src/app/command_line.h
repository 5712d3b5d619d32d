#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tapmill {

// What the program is told to do on its command line. None is a start without arguments.
enum class CommandAction { None, Play, Journal, Run, Stop, Usage };

struct Command {
    CommandAction action = CommandAction::None;
    std::string name;  // the recording, journal or script, as the panels list it
    int32_t count = 1;
    int speed = 5;
    bool loop = false;
};

// A command line as read: the command, or what is wrong with it.
struct ParsedCommandLine {
    Command command;
    std::string fault;  // empty for a good line
};

// Reads the arguments after the program's name (UTF-8). Switches are compared without regard to
// ASCII case.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage message, as "/?" shows it and below the fault of a bad line.
std::string commandLineUsage();

// The arguments as one text for the hand-over to a running instance, and back.
std::string joinArguments(const std::vector<std::string>& args);
std::vector<std::string> splitArguments(const std::string& joined);

}  // namespace tapmill
