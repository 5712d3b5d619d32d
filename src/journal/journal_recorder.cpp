#include "journal/journal_recorder.h"

#include <utility>

#include "common/delay.h"
#include "common/error.h"
#include "common/profile.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "platform/files.h"

namespace tapmill::journal {

namespace {

constexpr int kPauseCheckMs = 20;

}  // namespace

JournalRecorder::JournalRecorder(RecordHook& hook, platform::MessagePump& pump, platform::Dialogs& dialogs,
                                 int32_t eventLimit)
    : hook_(hook), pump_(pump), dialogs_(dialogs), eventLimit_(eventLimit) {}

bool JournalRecorder::start(const std::string& target, std::vector<KeyChord> hotKeys) {
    // The hook comes first: a start the system refuses must not cost the previous recording.
    if (!hook_.installed() && !hook_.install(*this)) return false;
    hookHeld_ = true;
    files::removeFile(target);
    target_ = target;
    counter_ = 0;
    filter_.reset(std::move(hotKeys));
    recording = true;
    return true;
}

bool JournalRecorder::stop() {
    if (!hookHeld_) return false;
    hook_.deliverWhatTheSystemLeftOut();
    hook_.remove();
    hookHeld_ = false;
    recording = false;
    eraseTrailingModifierPresses();
    writeJournalEventCount(target_, counter_);
    return true;
}

intptr_t JournalRecorder::JournalRecordProc(int code, uintptr_t wParam, JournalEvent* event) {
    intptr_t result = 0;
    if (code < 0) result = hook_.callNext(code, wParam, event);
    if (code == platform::kHcAction && event) held_.push_back({code, wParam, *event});
    // The system calls again while this call waits in the pause, and those calls return before
    // this one. So the first call back from the pause writes every held event, in arrival order.
    while (paused) Delay(pump_, kPauseCheckMs);
    writeHeld();
    return result;
}

void JournalRecorder::writeHeld() {
    while (!held_.empty()) {
        const Held next = held_.front();
        held_.pop_front();
        // A call that waited through a stop records nothing: the journal already has its count.
        if (hookHeld_ && counter_ < eventLimit_) record(next.code, next.wParam, next.event);
    }
    if (hookHeld_ && counter_ >= eventLimit_ && hook_.installed()) hook_.remove();
}

void JournalRecorder::record(int code, uintptr_t wParam, const JournalEvent& event) {
    try {
        switch (filter_.judge(event, counter_)) {
            case HotKeyFilter::Verdict::Skip:
                return;
            case HotKeyFilter::Verdict::SkipHotKey:
                eraseTrailingModifierPresses();
                return;
            case HotKeyFilter::Verdict::Record:
                break;
        }
        writeJournalEvent(target_, counter_, code, static_cast<int32_t>(wParam), event);
        ++counter_;
    } catch (const Error& e) {
        // Called by the system, there is no handler to report to: the recording ends here as a
        // stop would end it, its events so far on disk, and the failure is reported once.
        endAfterWriteFailure(e.what());
    }
}

void JournalRecorder::endAfterWriteFailure(const std::string& failure) {
    hook_.remove();
    hookHeld_ = false;
    recording = paused = false;
    // The count of what did get written, if the file still takes it; a second failure adds
    // nothing to the report.
    try {
        writeJournalEventCount(target_, counter_);
    } catch (const Error&) {
    }
    if (onEndedByFailure) onEndedByFailure();
    dialogs_.messageBox(failure, kErrorReportCaption, platform::MessageButtons::Ok);
}

void JournalRecorder::eraseTrailingModifierPresses() {
    const int32_t before = counter_;
    while (counter_ > 0) {
        const JournalEvent last = readJournalEvent(target_, counter_ - 1);
        const uint8_t key = keyOf(last);
        if (!isKeyDown(last.message) || (key != kVkMenu && key != kVkControl && key != kVkShift)) break;
        profile::eraseSection(target_, std::to_string(counter_ - 1));
        --counter_;
    }
    if (counter_ != before) filter_.forgetFrom(counter_);
}

}  // namespace tapmill::journal
