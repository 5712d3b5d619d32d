#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/factory.h"

namespace tapmill {

// The process exit codes of the command line.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitBadArguments = 2;

// The program: one instance per desktop, the main window, and the message loop until the main
// window closes. `args` are the command line's arguments after the program's name (UTF-8): a
// command either goes to the instance already running or is carried out once the window shows.
// Returns the process exit code.
int runProgram(platform::Platform& platform, ui::Factory& factory, const std::vector<std::string>& args = {});

}  // namespace tapmill
