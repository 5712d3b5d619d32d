#include "plain/frame_step.h"

#include "common/profile.h"
#include "plain/frame_event.h"

namespace tapmill {

namespace {

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

int32_t recordingFrameCount(const std::string& path) { return profile::readInteger(path, "all", "value", 0); }

bool playFrameStep(platform::Input& input, HeldInput& held, const std::string& path, int32_t frame) {
    const std::string section = std::to_string(frame);
    input.setCursorPos(profile::readInteger(path, section, "x", 0), profile::readInteger(path, section, "y", 0));
    FrameEvent event = decodeFrameEvent(profile::readString(path, section, "kp", "0"));
    if (event.kind == FrameEvent::BadKey) return false;
    inject(held, event);
    return true;
}

}  // namespace tapmill
