// Plain playback: frame by frame, the cursor goes where the recording had it and the recorded
// button or key is injected there. Every frame is read from the file as it is played, so a
// recording that changes meanwhile is seen at the next frame.
#include <string>

#include "app/Unit_main.h"
#include "common/delay.h"
#include "common/held_input.h"
#include "common/profile.h"
#include "platform/files.h"
#include "plain/frame_event.h"

namespace tapmill {

namespace {

const char* const kIdleStatus = "当前状态：";

void inject(HeldInput& held, const FrameEvent& event) {
    switch (event.kind) {
        case FrameEvent::LeftDown: held.mouse(platform::kMouseLeftDown); break;
        case FrameEvent::LeftUp: held.mouse(platform::kMouseLeftUp); break;
        case FrameEvent::RightDown: held.mouse(platform::kMouseRightDown); break;
        case FrameEvent::RightUp: held.mouse(platform::kMouseRightUp); break;
        case FrameEvent::LeftDoubleClick:
            held.mouse(platform::kMouseLeftDown);
            held.mouse(platform::kMouseLeftUp);
            held.mouse(platform::kMouseLeftDown);
            held.mouse(platform::kMouseLeftUp);
            break;
        case FrameEvent::Key: {
            // The key number goes to the system as one byte.
            uint8_t vk = static_cast<uint8_t>(event.key & 0xFF);
            held.key(vk, 0, 0);
            held.key(vk, 0, platform::kKeyEventKeyUp);
            break;
        }
        case FrameEvent::None:
        case FrameEvent::BadKey:
            break;
    }
}

}  // namespace

void TForm_maintapmill::playrec(int32_t count, int speed, const std::string& name) {
    playing = true;
    setStatus(0, "当前状态：播放……");
    const std::string path = dataPath("jb_rec\\", name);
    if (!files::exists(path)) {
        platform_.dialogs.messageBox("名为：'" + name + "'脚本文件不存在！", platform::kRemindCaption,
                                     platform::MessageButtons::Ok);
        playing = false;
        setStatus(0, kIdleStatus);
        return;
    }

    FineTimingScope fineTiming(platform_.pump);
    HeldInput held(platform_.input);
    const int frameWait = 35 - 3 * speed;
    bool badFrame = false;
    while ((count > 0 || count == kEndlessPlayCount) && playing && !badFrame) {
        playFrame = 0;
        while (playFrame < profile::readInteger(path, "all", "value", 0) && playing) {
            if (frameWait > 0)
                Delay(platform_.pump, frameWait);
            else
                // Above speed 11 there is no wait, but Stop and the hot keys must still get through.
                platform_.pump.processPendingMessages();
            while (playpause) Delay(platform_.pump, 20);

            const std::string section = std::to_string(playFrame);
            platform_.input.setCursorPos(profile::readInteger(path, section, "x", 0),
                                         profile::readInteger(path, section, "y", 0));
            FrameEvent event = decodeFrameEvent(profile::readString(path, section, "kp", "0"));
            if (event.kind == FrameEvent::BadKey) {
                badFrame = true;
                break;
            }
            inject(held, event);
            Label_playfra->setText(section);
            ++playFrame;
        }
        if (count != kEndlessPlayCount) --count;
    }

    // A run that was stopped or failed lets go of what it pressed; one that ran to its end keeps
    // the recording's own effect.
    if (badFrame || !playing) held.releaseAll();
    if (badFrame)
        platform_.dialogs.messageBox("脚本出错，请检查后再运行！", platform::kRemindCaption,
                                     platform::MessageButtons::Ok);
    playing = false;
    setStatus(0, kIdleStatus);
}

}  // namespace tapmill
