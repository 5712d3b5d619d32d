#include "plain/open_recording.h"

#include <algorithm>
#include <utility>

#include "common/error.h"
#include "common/profile.h"
#include "platform/files.h"

namespace tapmill {

namespace {

std::string sectionOf(int32_t frame) { return std::to_string(frame); }

// Ctrl, Alt and Shift, each pressed in a frame of its own.
constexpr size_t kRecentFrames = 3;

}  // namespace

void OpenRecording::open(const std::string& path) {
    path_ = path;
    ++holders_;
    broken_ = sealed_ = false;
    recentFrames_.clear();
    takeable_ = 0;
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
    if (recentFrames_.empty() || recentFrames_.back().frame != frame) {
        recentFrames_.push_back({frame, {}});
        if (recentFrames_.size() > kRecentFrames) recentFrames_.erase(recentFrames_.begin());
    }
    recentFrames_.back().events.push_back(event);
    writeFrameEvents(recentFrames_.back(), false);
    size_t kept = 0;
    for (const FrameEvents& f : recentFrames_) kept += f.events.size();
    takeable_ = broken_ ? 0 : std::min(takeable_ + 1, kept);
    return !broken_;
}

void OpenRecording::takeBackLastPresses(std::vector<std::string> texts) {
    if (!isOpen()) return;
    while (takeable_ > 0 && !recentFrames_.empty()) {
        FrameEvents& last = recentFrames_.back();
        const auto text = std::find(texts.begin(), texts.end(), kpText(last.events.back()));
        if (text == texts.end()) break;
        texts.erase(text);
        last.events.pop_back();
        --takeable_;
        writeFrameEvents(last, true);
        if (last.events.empty()) recentFrames_.pop_back();
    }
    // What stays before them is the user's.
    takeable_ = 0;
}

void OpenRecording::writeFrameEvents(const FrameEvents& frame, bool takingBack) {
    std::string kp, ev;
    for (const FrameEvent& event : frame.events) {
        if (!kpText(event).empty()) kp = kpText(event);
        ev += (ev.empty() ? "" : " ") + eventToken(event);
    }
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

bool OpenRecording::writeFrameCount(int32_t count) {
    return attempt([&] { profile::writeInteger(path_, "all", "value", count); });
}

void OpenRecording::seal(int32_t count) {
    writeFrameCount(count);
    sealed_ = true;
}

std::string OpenRecording::takeFailure() { return std::exchange(failure_, std::string()); }

}  // namespace tapmill
