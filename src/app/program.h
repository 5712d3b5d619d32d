#pragma once
#include "platform/platform.h"
#include "ui/factory.h"

namespace tapmill {

// The program: one instance per desktop, the main window, and the message loop until the main
// window closes. Returns the process exit code.
int runProgram(platform::Platform& platform, ui::Factory& factory);

}  // namespace tapmill
