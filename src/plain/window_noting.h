#pragma once
#include <cstdint>
#include <optional>

#include "plain/frame_event.h"
#include "plain/window_note.h"
#include "platform/input.h"
#include "platform/top_windows.h"

namespace tapmill {

// Which top-level window each input of a recording went to, taken as the hook libraries report the
// input, so that a replay can follow the window wherever it is then:
// - a button goes to the window under the point the mouse library saw it at, and its release to the
//   window of its press (which holds the mouse until then);
// - a key goes to the window the keyboard library reported as having the keyboard at the press, so
//   a key that closes a dialog is the dialog's although the dialog is gone when the key is handled.
// A frame keeps the note of its first button, or of its first key where it has no button. Frames
// without input are never looked at. The program's own windows are never noted, and a button
// pressed on one of them (the "结束" that ends the recording) is left out with its release.
class WindowNoting {
public:
    explicit WindowNoting(platform::TopWindows& windows) : windows_(windows) {}
    // A recording starts afresh: no frame is noted yet and no button is held.
    void restart();
    // The window that had the keyboard at the key press reported next.
    void keyboardWindowReported(uintptr_t window) { reportedKeyboard_ = window; }

    struct Button {
        bool leftOut = false;             // it went to one of the program's own windows
        std::optional<WindowNote> note;   // the note to write into the frame, where it takes one
    };
    // A button transition or a turn of the wheel at this point of the screen, in this frame.
    Button button(const FrameEvent& event, platform::Point at, int32_t frame);
    // The note a key press in this frame takes, the pointer being at `pointer`.
    std::optional<WindowNote> key(platform::Point pointer, int32_t frame);

private:
    struct NotedWindow {
        uintptr_t handle = 0;
        WindowNote note;
        platform::Point clientOrigin;
    };
    // The window's note, its place not yet filled in; nothing where it is gone or has no place.
    std::optional<NotedWindow> noteOf(uintptr_t handle);
    // The frame takes the note: it has none yet, or only a key's where this is a button's.
    bool frameTakes(int32_t frame, bool keyboard);

    platform::TopWindows& windows_;
    uintptr_t reportedKeyboard_ = 0;
    // The window of the last key, known after it has gone.
    std::optional<NotedWindow> lastKeyboard_;
    // By button (left, right, middle), while it is down: where its press went, no window where it
    // went to none, leftOut where it went to one of the program's own.
    struct Press {
        bool leftOut = false;
        std::optional<NotedWindow> window;
    };
    std::optional<Press> pressed_[3];
    int32_t notedFrame_ = -1;
    bool notedKeyboard_ = false;
};

}  // namespace tapmill
