#include "plain/open_recording.h"

#include <utility>

#include "common/error.h"
#include "common/profile.h"
#include "platform/files.h"

namespace tapmill {

namespace {

std::string sectionOf(int32_t frame) { return std::to_string(frame); }

}  // namespace

void OpenRecording::open(const std::string& path) {
    path_ = path;
    ++holders_;
    broken_ = sealed_ = false;
    eventsFrame_ = -1;
    frameEvents_.clear();
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
    return attempt([&] {
        profile::writeInteger(path_, sectionOf(frame), "x", x);
        profile::writeInteger(path_, sectionOf(frame), "y", y);
    });
}

bool OpenRecording::writeEvent(int32_t frame, const FrameEvent& event) {
    if (broken_ || sealed_) return false;
    if (frame != eventsFrame_) {
        eventsFrame_ = frame;
        frameEvents_.clear();
    }
    frameEvents_.push_back(event);
    writeFrameEvents(false);
    canTakeBack_ = !broken_;
    return !broken_;
}

void OpenRecording::takeBackLastEvent(const std::string& text) {
    if (!isOpen() || !canTakeBack_ || frameEvents_.empty() || kpText(frameEvents_.back()) != text) return;
    canTakeBack_ = false;
    frameEvents_.pop_back();
    writeFrameEvents(true);
}

void OpenRecording::writeFrameEvents(bool takingBack) {
    std::string kp, ev;
    for (const FrameEvent& event : frameEvents_) {
        if (!kpText(event).empty()) kp = kpText(event);
        ev += (ev.empty() ? "" : " ") + eventToken(event);
    }
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

bool OpenRecording::writeFrameCount(int32_t count) {
    return attempt([&] { profile::writeInteger(path_, "all", "value", count); });
}

void OpenRecording::seal(int32_t count) {
    writeFrameCount(count);
    sealed_ = true;
}

std::string OpenRecording::takeFailure() { return std::exchange(failure_, std::string()); }

}  // namespace tapmill
