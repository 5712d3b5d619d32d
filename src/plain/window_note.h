#pragma once
#include <optional>
#include <string>

namespace tapmill {

// What a plain recording notes of the top-level window a frame's input went to, in keys of the
// frame's section that a reader of the documented format does not look at:
//   wcls   the window's class
//   wtitle its title, GBK; a title GBK cannot hold is stored up to its first such character, and
//          then wstart=1 says the stored title is only the start of the window's
//   wpos   the pointer inside the window's client area, "x,y"
//   wdpi   the DPI the window was drawn for
//   wkey   1 where the window is the one that had the keyboard at a key, not the one under the
//          pointer: wpos then means nothing, and the window needs the keyboard, not the pointer
// A frame without a note follows the last note before it.
struct WindowNote {
    std::string className;  // UTF-8
    std::string title;      // UTF-8
    bool titleIsStart = false;
    int clientX = 0;
    int clientY = 0;
    int dpi = 96;
    // The window had the keyboard at a key; the pointer's place in it means nothing.
    bool keyboard = false;

    bool sameWindow(const WindowNote& other) const {
        return className == other.className && title == other.title && titleIsStart == other.titleIsStart;
    }
};

// Writes the note into the frame's section of the recording (throws as profile writes do).
void writeWindowNote(const std::string& path, const std::string& section, const WindowNote& note);
// The note of a frame's section; nothing when the frame has none or it does not read (a note
// without a class, or a position that is no pair of numbers, is no note).
std::optional<WindowNote> readWindowNote(const std::string& path, const std::string& section);

}  // namespace tapmill
