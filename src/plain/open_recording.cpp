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
    lastEventFrame_ = -1;
    lastEventText_.clear();
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

bool OpenRecording::writeEvent(int32_t frame, const std::string& text) {
    const bool written = attempt([&] { profile::writeString(path_, sectionOf(frame), "kp", text); });
    lastEventFrame_ = written ? frame : -1;
    lastEventText_ = written ? text : std::string();
    return written;
}

void OpenRecording::takeBackLastEvent(const std::string& text) {
    if (!isOpen() || lastEventFrame_ < 0 || lastEventText_ != text) return;
    const int32_t frame = lastEventFrame_;
    lastEventFrame_ = -1;
    lastEventText_.clear();
    attempt([&] { profile::deleteKey(path_, sectionOf(frame), "kp"); });
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
