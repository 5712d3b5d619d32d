#include "plain/frame_event.h"

#include "common/intparse.h"

namespace tapmill {

FrameEvent decodeFrameEvent(const std::string& text) {
    if (text == "WM_LBUTTONDOWN") return {FrameEvent::LeftDown};
    if (text == "WM_LBUTTONUP") return {FrameEvent::LeftUp};
    if (text == "WM_RBUTTONDOWN") return {FrameEvent::RightDown};
    if (text == "WM_RBUTTONUP") return {FrameEvent::RightUp};
    if (text == "WM_LBUTTONDBLCLK") return {FrameEvent::LeftDoubleClick};
    if (!text.empty() && text[0] == 'k') {
        std::optional<int32_t> n = parseInt32(text.substr(1));
        if (!n) return {FrameEvent::BadKey};
        return {FrameEvent::Key, *n};
    }
    return {FrameEvent::None};
}

}  // namespace tapmill
