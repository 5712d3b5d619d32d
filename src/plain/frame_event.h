#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tapmill {

// An input event stored with a frame of a plain recording.
//
// Key "kp" of a frame holds the frame's last event in the texts every reader of recordings knows.
// Key "ev", written only when "kp" does not tell the whole story, holds all of the frame's events
// in order, separated by single spaces: the texts of "kp", a key press with the modifiers held at it
// ("k65+4": key 65 with Shift), the middle button ("WM_MBUTTONDOWN", "WM_MBUTTONUP") and the wheel
// ("WM_MOUSEWHEEL:120", the signed turn). A reader that knows only "kp" sees what it always saw.
//
// Key "ev2", written only when "ev" does not tell the whole story either, holds the frame's events
// as they were performed: a key that goes down and stays down ("kd65", again for each repeat of
// the held key) and its release ("ku65"), and a button pressed or released with modifiers held
// ("WM_LBUTTONDOWN+4"). "ev" and "kp" keep what older readers replay of them: a press of the key,
// and the button on its own.
struct FrameEvent {
    enum Kind {
        None, LeftDown, LeftUp, RightDown, RightUp, LeftDoubleClick, Key, BadKey, MiddleDown, MiddleUp, Wheel,
        KeyDown, KeyUp,
    };
    Kind kind = None;
    int32_t key = 0;         // Key, KeyDown, KeyUp: the virtual-key number; Wheel: the turn
    uint32_t modifiers = 0;  // Key, KeyDown and the buttons: platform::kMod... held at the event
};

// A "kp" text. Exact, case-sensitive texts; "k" followed by a number is a key; "k" followed by
// anything else is a fault of the file; every other text, the default "0" included, is no event.
FrameEvent decodeFrameEvent(const std::string& text);

// An "ev" list. A token "k" followed by anything but a number, or a number and "+" and a number,
// is a fault of the file like a faulty "kp"; a token the program does not know is no event.
std::vector<FrameEvent> decodeFrameEvents(const std::string& list);

// The "ev" token of an event, and the "kp" text a reader that knows only "kp" is to see for it:
// empty for an event that has none (the middle button, the wheel and a key's release).
std::string eventToken(const FrameEvent& event);
std::string kpText(const FrameEvent& event);

// The "ev2" tokens of a frame's events: a key's down followed at once by its up is the press of
// "ev"; one on its own is held. Equal to the "ev" tokens where the frame holds nothing more.
std::vector<std::string> performedTokens(const std::vector<FrameEvent>& events);
std::vector<std::string> pressTokens(const std::vector<FrameEvent>& events);

}  // namespace tapmill
