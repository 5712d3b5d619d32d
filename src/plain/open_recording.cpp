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
    eventsFrame_ = -1;
    frameEvents_.clear();
    eventsFrameWritten_ = false;
    heldKeys_.clear();
    canTakeBack_ = false;
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
    if (frame == eventsFrame_ && !broken_ && !sealed_) {
        writePerformedEvents(false);
        eventsFrameWritten_ = true;
    }
    return attempt([&] {
        profile::writeInteger(path_, sectionOf(frame), "x", x);
        profile::writeInteger(path_, sectionOf(frame), "y", y);
    });
}

bool OpenRecording::writeEvent(int32_t frame, const FrameEvent& event) {
    if (broken_ || sealed_) return false;
    const bool release = event.kind == FrameEvent::KeyUp;
    if (release && !holdsKey(event.key)) return true;
    if (frame != eventsFrame_) {
        eventsFrame_ = frame;
        frameEvents_.clear();
        eventsFrameWritten_ = false;
    }
    frameEvents_.push_back(event);
    if (release)
        heldKeys_.erase(event.key);
    else if (event.kind == FrameEvent::KeyDown)
        heldKeys_.insert(event.key);
    // A release changes neither "kp" nor "ev"; "ev2" follows with the frame's position.
    if (!release) writeFrameEvents(false);
    canTakeBack_ = !broken_;
    return !broken_;
}

void OpenRecording::takeBackLastEvent(const std::string& text) {
    if (!isOpen() || !canTakeBack_ || frameEvents_.empty() || kpText(frameEvents_.back()) != text) return;
    canTakeBack_ = false;
    if (frameEvents_.back().kind == FrameEvent::KeyDown) heldKeys_.erase(frameEvents_.back().key);
    frameEvents_.pop_back();
    writeFrameEvents(true);
    if (eventsFrameWritten_) writePerformedEvents(true);
}

void OpenRecording::writeFrameEvents(bool takingBack) {
    std::string kp;
    for (const FrameEvent& event : frameEvents_)
        if (!kpText(event).empty()) kp = kpText(event);
    std::string ev = joined(pressTokens(frameEvents_));
    // "ev" only where "kp" would lose something, so a recording of single plain events stays as
    // older programs wrote it.
    if (ev == kp) ev.clear();
    const std::string section = sectionOf(eventsFrame_);
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

void OpenRecording::writePerformedEvents(bool erasing) {
    const std::vector<std::string> performed = performedTokens(frameEvents_);
    const std::string ev2 = performed == pressTokens(frameEvents_) ? std::string() : joined(performed);
    attempt([&] {
        if (!ev2.empty())
            profile::writeString(path_, sectionOf(eventsFrame_), "ev2", ev2);
        else if (erasing)
            profile::deleteKey(path_, sectionOf(eventsFrame_), "ev2");
    });
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
