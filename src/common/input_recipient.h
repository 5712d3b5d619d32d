#pragma once
#include "platform/input.h"
#include "platform/top_windows.h"

namespace tapmill {

// What an injection is, for the window that will receive it.
enum class InputKind { Button, Key };

// A window of a program with higher rights drops what is sent to it without a word (user interface
// privilege isolation): HigherRights when the window this input goes to is one, None otherwise.
// A button goes to the window under the pointer, a key to the window with the keyboard focus; the
// window in front says neither, since one kept on top or a dialog's owner can be in front of both.
platform::InputRefusal refusalBeforeInput(platform::TopWindows& windows, InputKind kind, platform::Point pointer);

}  // namespace tapmill
