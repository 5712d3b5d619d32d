#pragma once
#include <cstdint>
#include <set>
#include <string>

#include "plain/frame_event.h"
#include "plain/hot_key_presses.h"
#include "plain/window_note.h"

namespace tapmill {

// The scratch recording while a recording loop has it open. The recorder writes the frames into
// it and the main window's routing of hook messages the events; nothing else writes through it.
// A Ctrl+W inside a recording opens it again (the file starts afresh) while the outer loop still
// holds it, so it counts the loops that hold it.
//
// A write that fails breaks the recording: nothing more is written until it is opened anew, and
// the first failure's message is kept for the loop to report once, so one failure is one message
// however many frames and events follow it.
//
// Every event of a frame is kept, in order: "kp" holds the frame's last event that has a "kp" text,
// as older programs wrote it, and "ev" all of them once "kp" alone would lose some (frame_event.h).
// "ev2", the events as performed, is written once the frame's position is, where a key was held
// past the frame or a button had modifiers: by then the frame's events are all known, so a key
// released within its frame stays the plain press older programs wrote.
class OpenRecording {
public:
    // About 14 hours of frames. The file and its index must fit the 32-bit program's memory
    // twice over (the recorder writes it, the player reads it), far below profile::kMaxFileBytes.
    static constexpr uint64_t kByteLimit = 64ull << 20;

    explicit OpenRecording(uint64_t byteLimit = kByteLimit) : byteLimit_(byteLimit) {}

    // Starts the file afresh: the old one is deleted, the first write creates it.
    void open(const std::string& path);
    void close();
    bool isOpen() const { return holders_ > 0; }
    bool broken() const { return broken_; }
    // The file has reached the byte limit: the recording must end, as at the frame limit.
    bool full() const;

    // Each returns false when nothing was written: the write failed now, or had failed before.
    bool writeFrame(int32_t frame, int x, int y);
    // A key's release, or a repeat, belongs to the recording only when its press does: the key of
    // a hot key, or one held since before the recording, leaves no release behind.
    bool writeEvent(int32_t frame, const FrameEvent& event);
    bool holdsKey(int32_t key) const { return heldKeys_.count(key) > 0; }
    // The frame has a button or a key written (a release included).
    bool hasEvents(int32_t frame) const;
    // The window the frame's input went to, in the frame's extra keys (window_note.h).
    bool writeNote(int32_t frame, const WindowNote& note);
    bool writeFrameCount(int32_t count);
    // Erases the presses of the modifiers (platform::kMod...) of a hot key just pressed, which
    // were recorded before the hot key's own key told whose they were (hot_key_presses.h).
    void takeBackHotKeyPresses(uint32_t modifiers);
    // Writes the count and takes no more writes until opened anew, so the file stays complete
    // with that count whatever the loops still running try to add. A failure is kept as above.
    void seal(int32_t count);

    // The message of a failure not reported yet, or empty text; handed out once.
    std::string takeFailure();

private:
    template <class Write>
    bool attempt(Write&& write);
    using FrameEvents = RecordedFrameEvents;
    // Writes "kp" and "ev" of a frame; a take-back also erases the one it leaves empty.
    void writeFrameEvents(const FrameEvents& frame, bool takingBack);
    // Writes "ev2" of a frame whose position is written; erasing: a take-back may empty it.
    void writePerformedEvents(const FrameEvents& frame, bool erasing);

    uint64_t byteLimit_;
    std::string path_;
    int holders_ = 0;
    bool broken_ = false;
    bool sealed_ = false;
    // The frames with events from the press of the earliest modifier still held on, the frame
    // being written last: those a hot key's presses may have to be taken out of.
    std::vector<FrameEvents> recentFrames_;
    std::set<int32_t> heldKeys_;  // keys pressed in the recording and not released yet
    std::string failure_;
};

}  // namespace tapmill
