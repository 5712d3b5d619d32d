#include "plain/open_recording.h"

#include <utility>

#include "common/error.h"
#include "common/profile.h"
#include "platform/files.h"

namespace tapmill {

namespace {

std::string sectionOf(int32_t frame) { return std::to_string(frame); }

std::string joined(const std::vector<std::string>& tokens) {
    std::string text;
    for (const std::string& token : tokens) text += (text.empty() ? "" : " ") + token;
    return text;
}

}  // namespace

void OpenRecording::open(const std::string& path) {
    path_ = path;
    ++holders_;
    broken_ = sealed_ = false;
    recentFrames_.clear();
    heldKeys_.clear();
    // A file that cannot be deleted (read-only) makes the first write fail, which is reported.
    if (files::exists(path_)) files::removeFile(path_);
}

void OpenRecording::close() {
    if (holders_ > 0) --holders_;
}

bool OpenRecording::full() const { return files::identity(path_).size >= byteLimit_; }

template <class Write>
bool OpenRecording::attempt(Write&& write) {
    if (broken_ || sealed_) return false;
    try {
        write();
        return true;
    } catch (const Error& e) {
        broken_ = true;
        if (failure_.empty()) failure_ = e.what();
        return false;
    }
}

bool OpenRecording::writeFrame(int32_t frame, int x, int y) {
    if (!recentFrames_.empty() && recentFrames_.back().frame == frame && !broken_ && !sealed_) {
        writePerformedEvents(recentFrames_.back(), false);
        recentFrames_.back().positionWritten = true;
    }
    return attempt(
        [&] { profile::writeStrings(path_, sectionOf(frame), {{"x", std::to_string(x)}, {"y", std::to_string(y)}}); });
}

bool OpenRecording::writeEvent(int32_t frame, const FrameEvent& event) {
    if (broken_ || sealed_) return false;
    const bool release = event.kind == FrameEvent::KeyUp;
    if (release && !holdsKey(event.key)) return true;
    if (recentFrames_.empty() || recentFrames_.back().frame != frame) recentFrames_.push_back({frame, {}});
    recentFrames_.back().events.push_back(event);
    if (release)
        heldKeys_.erase(event.key);
    else if (event.kind == FrameEvent::KeyDown)
        heldKeys_.insert(event.key);
    recentFrames_.erase(recentFrames_.begin(),
                        recentFrames_.begin() + static_cast<std::ptrdiff_t>(framesPastTakingBack(recentFrames_, heldKeys_)));
    // A release changes neither "kp" nor "ev"; "ev2" follows with the frame's position.
    if (!release) writeFrameEvents(recentFrames_.back(), false);
    return !broken_;
}

void OpenRecording::takeBackHotKeyPresses(uint32_t modifiers) {
    if (!isOpen() || broken_ || sealed_) return;
    for (size_t f : tapmill::takeBackHotKeyPresses(recentFrames_, modifiers, heldKeys_)) {
        writeFrameEvents(recentFrames_[f], true);
        if (recentFrames_[f].positionWritten) writePerformedEvents(recentFrames_[f], true);
    }
}

void OpenRecording::writeFrameEvents(const FrameEvents& frame, bool takingBack) {
    std::string kp;
    for (const FrameEvent& event : frame.events)
        if (!kpText(event).empty()) kp = kpText(event);
    std::string ev = joined(pressTokens(frame.events));
    // "ev" only where "kp" would lose something, so a recording of single plain events stays as
    // older programs wrote it.
    if (ev == kp) ev.clear();
    const std::string section = sectionOf(frame.frame);
    attempt([&] {
        // An event added never empties a key, so only a take-back erases (which rewrites the
        // file); the usual write appends.
        if (!kp.empty())
            profile::writeString(path_, section, "kp", kp);
        else if (takingBack)
            profile::deleteKey(path_, section, "kp");
        if (!ev.empty())
            profile::writeString(path_, section, "ev", ev);
        else if (takingBack)
            profile::deleteKey(path_, section, "ev");
    });
}

void OpenRecording::writePerformedEvents(const FrameEvents& frame, bool erasing) {
    const std::vector<std::string> performed = performedTokens(frame.events);
    const std::string ev2 = performed == pressTokens(frame.events) ? std::string() : joined(performed);
    attempt([&] {
        if (!ev2.empty())
            profile::writeString(path_, sectionOf(frame.frame), "ev2", ev2);
        else if (erasing)
            profile::deleteKey(path_, sectionOf(frame.frame), "ev2");
    });
}

bool OpenRecording::hasEvents(int32_t frame) const {
    return !recentFrames_.empty() && recentFrames_.back().frame == frame && !recentFrames_.back().events.empty();
}

bool OpenRecording::writeNote(int32_t frame, const WindowNote& note) {
    return attempt([&] { writeWindowNote(path_, sectionOf(frame), note); });
}

bool OpenRecording::writeFrameCount(int32_t count) {
    return attempt([&] { profile::writeInteger(path_, "all", "value", count); });
}

void OpenRecording::seal(int32_t count) {
    writeFrameCount(count);
    sealed_ = true;
}

std::string OpenRecording::takeFailure() { return std::exchange(failure_, std::string()); }

}  // namespace tapmill
