#pragma once
#include <string>

#include "platform/input.h"

namespace tapmill {

// What the user is told when the system took none of the input a playback or a script run sent,
// which ended it: in the message box and, until the next activity, in the tray icon's tip.
std::string refusedInputMessage(platform::InputRefusal refusal);

}  // namespace tapmill
