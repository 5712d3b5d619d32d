#include "plain/recording_conversion.h"

#include "common/library_messages.h"
#include "common/profile.h"
#include "plain/frame_step.h"
#include "platform/files.h"
#include "scripts/script_file.h"

namespace tapmill {

namespace {

// A message names this many frames of a kind and counts the rest.
constexpr size_t kFramesNamed = 10;

std::string tooLongMessage(const std::string& name) { return "名为：'" + name + "'的录制太长，无法转为脚本！"; }
std::string nothingToConvertMessage(const std::string& name) { return "名为：'" + name + "'的录制没有可转换的帧，未写入脚本！"; }
std::string changedMessage(const std::string& name) { return "名为：'" + name + "'的录制在转换时被改动，未写入脚本！"; }
std::string fewerFramesMessage(const std::string& name, int32_t claimed, int32_t held) {
    return "名为：'" + name + "'的录制记有" + std::to_string(claimed) + "帧，文件中只有" + std::to_string(held) +
           "帧，脚本只含这" + std::to_string(held) + "帧！";
}

std::string framesText(const std::vector<int32_t>& frames) {
    std::string text = "第";
    for (size_t i = 0; i < frames.size() && i < kFramesNamed; ++i) text += (i ? "、" : "") + std::to_string(frames[i]);
    text += "帧";
    if (frames.size() > kFramesNamed) text += "等，共" + std::to_string(frames.size()) + "帧";
    return text;
}

}  // namespace

std::string leftOutMessage(const LeftOutEvents& leftOut) {
    const std::pair<const char*, const std::vector<int32_t>*> kinds[] = {
        {"没有键名的按键", &leftOut.unnamedKeys},
        {"鼠标中键", &leftOut.middleButton},
        {"鼠标滚轮", &leftOut.wheel},
        {"没有按下的鼠标右键弹起", &leftOut.rightReleases},
    };
    std::string text = "脚本无法表示以下事件，转换时已略去：";
    for (const auto& [kind, frames] : kinds)
        if (!frames->empty()) text += std::string("\n") + kind + "：" + framesText(*frames);
    return text;
}

void RecordingConversion::remind(const std::string& text) {
    platform_.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

bool RecordingConversion::convert(const std::string& name) {
    const std::string recording = exedir_ + "jb_rec\\" + name + ".ini";
    if (!files::exists(recording) || files::isDirectory(recording)) {
        remind(missingRecordingMessage(name));
        return false;
    }
    const int32_t claimed = recordingFrameCount(recording);
    if (files::identity(recording).size > profile::kMaxFileBytes ||
        (claimed > kLongestFrames && profile::sectionExists(recording, std::to_string(kLongestFrames)))) {
        remind(tooLongMessage(name));
        return false;
    }

    RecordingToScript conversion(scripts::kMaxScriptFileBytes);
    int32_t held = 0;
    switch (readFrames(recording, claimed, conversion, held)) {
        case Reading::Stopped: return false;
        case Reading::Changed: remind(changedMessage(name)); return false;
        case Reading::TooLong: remind(tooLongMessage(name)); return false;
        case Reading::Done: break;
    }
    if (held == 0) {
        remind(nothingToConvertMessage(name));
        return false;
    }
    // Beyond that size neither the editor nor the interpreter would read the script.
    const std::optional<std::vector<std::string>> lines = conversion.finish();
    if (!lines) {
        remind(tooLongMessage(name));
        return false;
    }

    const std::string script = scripts::scriptPath(exedir_, name);
    if (files::exists(script) && platform_.dialogs.messageBox(kOverwriteQuestion, platform::kRemindCaption,
                                                              platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return false;
    if (!scripts::writeScriptFile(script, *lines)) {
        remind(cannotWriteMessage(script));
        return false;
    }
    if (held < claimed) remind(fewerFramesMessage(name, claimed, held));
    if (!conversion.leftOut().empty()) remind(leftOutMessage(conversion.leftOut()));
    return true;
}

// The frames of a recording come in order (its recorder writes them so): the first one missing is
// where a damaged file's frames end, whatever count it claims. A file that holds more than a day of
// frames was refused before, so the frames read here are at most a day's.
RecordingConversion::Reading RecordingConversion::readFrames(const std::string& recording, int32_t claimed,
                                                             RecordingToScript& conversion, int32_t& held) {
    stopped_ = false;
    profile::SteadyReads steady(recording);
    const files::Identity read = files::identity(recording);
    for (held = 0; held < claimed; ++held) {
        if (held % kFramesBetweenMessages == kFramesBetweenMessages - 1) {
            platform_.pump.processPendingMessages();
            if (stopped_) return Reading::Stopped;
            if (files::identity(recording) != read) return Reading::Changed;
            steady.recheck();
        }
        if (conversion.full()) return Reading::TooLong;
        const std::string section = std::to_string(held);
        if (!profile::sectionExists(recording, section)) break;
        conversion.addFrame({{profile::readInteger(recording, section, "x", 0),
                              profile::readInteger(recording, section, "y", 0)},
                             recordedFrameEvents(recording, section), readWindowNote(recording, section)});
    }
    return Reading::Done;
}

}  // namespace tapmill
