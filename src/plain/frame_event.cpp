#include "plain/frame_event.h"

#include "common/intparse.h"

namespace tapmill {

namespace {

const char kWheelPrefix[] = "WM_MOUSEWHEEL:";

struct NamedEvent {
    FrameEvent::Kind kind;
    const char* text;
};

const NamedEvent kButtonTexts[] = {
    {FrameEvent::LeftDown, "WM_LBUTTONDOWN"},     {FrameEvent::LeftUp, "WM_LBUTTONUP"},
    {FrameEvent::RightDown, "WM_RBUTTONDOWN"},    {FrameEvent::RightUp, "WM_RBUTTONUP"},
    {FrameEvent::LeftDoubleClick, "WM_LBUTTONDBLCLK"},
};
// Known to "ev" only: older programs never wrote them, so a "kp" holding one is no event.
const NamedEvent kMiddleButtonTexts[] = {
    {FrameEvent::MiddleDown, "WM_MBUTTONDOWN"},
    {FrameEvent::MiddleUp, "WM_MBUTTONUP"},
};

FrameEvent decodeToken(const std::string& token) {
    for (const NamedEvent& named : kMiddleButtonTexts)
        if (token == named.text) return {named.kind};
    if (token.rfind(kWheelPrefix, 0) == 0) {
        const std::optional<int32_t> turn = parseInt32(token.substr(sizeof kWheelPrefix - 1));
        return turn ? FrameEvent{FrameEvent::Wheel, *turn} : FrameEvent{};
    }
    const size_t plus = token.find('+', 1);
    if (token[0] != 'k' || plus == std::string::npos) return decodeFrameEvent(token);
    const std::optional<int32_t> key = parseInt32(token.substr(1, plus - 1));
    const std::optional<int32_t> modifiers = parseInt32(token.substr(plus + 1));
    if (!key || !modifiers) return {FrameEvent::BadKey};
    return {FrameEvent::Key, *key, static_cast<uint32_t>(*modifiers)};
}

}  // namespace

FrameEvent decodeFrameEvent(const std::string& text) {
    for (const NamedEvent& named : kButtonTexts)
        if (text == named.text) return {named.kind};
    if (!text.empty() && text[0] == 'k') {
        std::optional<int32_t> n = parseInt32(text.substr(1));
        if (!n) return {FrameEvent::BadKey};
        return {FrameEvent::Key, *n};
    }
    return {FrameEvent::None};
}

std::vector<FrameEvent> decodeFrameEvents(const std::string& list) {
    std::vector<FrameEvent> events;
    size_t from = 0;
    while (from < list.size()) {
        size_t end = list.find(' ', from);
        if (end == std::string::npos) end = list.size();
        if (end > from) events.push_back(decodeToken(list.substr(from, end - from)));
        from = end + 1;
    }
    return events;
}

std::string kpText(const FrameEvent& event) {
    if (event.kind == FrameEvent::Key) return "k" + std::to_string(event.key);
    for (const NamedEvent& named : kButtonTexts)
        if (event.kind == named.kind) return named.text;
    return std::string();
}

std::string eventToken(const FrameEvent& event) {
    if (event.kind == FrameEvent::Key && event.modifiers)
        return kpText(event) + "+" + std::to_string(event.modifiers);
    if (event.kind == FrameEvent::Wheel) return kWheelPrefix + std::to_string(event.key);
    for (const NamedEvent& named : kMiddleButtonTexts)
        if (event.kind == named.kind) return named.text;
    return kpText(event);
}

}  // namespace tapmill
