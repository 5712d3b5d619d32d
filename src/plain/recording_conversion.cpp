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
    const int32_t frames = recordingFrameCount(recording);
    if (files::identity(recording).size > profile::kMaxFileBytes || frames > kLongestFrames) {
        remind(tooLongMessage(name));
        return false;
    }

    RecordingToScript conversion(scripts::kMaxScriptFileBytes);
    for (int32_t frame = 0; frame < frames; ++frame) {
        const std::string section = std::to_string(frame);
        conversion.addFrame({{profile::readInteger(recording, section, "x", 0),
                              profile::readInteger(recording, section, "y", 0)},
                             recordedFrameEvents(recording, section)});
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
    if (!conversion.leftOut().empty()) remind(leftOutMessage(conversion.leftOut()));
    return true;
}

}  // namespace tapmill
