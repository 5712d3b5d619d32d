#include "plain/frame_event.h"

#include <optional>
#include <utility>

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

const NamedEvent* buttonNamed(FrameEvent::Kind kind) {
    for (const NamedEvent& named : kButtonTexts)
        if (kind == named.kind) return &named;
    for (const NamedEvent& named : kMiddleButtonTexts)
        if (kind == named.kind) return &named;
    return nullptr;
}

// "kd65", "ku65": a key held down, released.
std::optional<FrameEvent> decodeHeldKey(const std::string& token) {
    if (token.size() < 3 || token[0] != 'k' || (token[1] != 'd' && token[1] != 'u')) return std::nullopt;
    const std::optional<int32_t> key = parseInt32(token.substr(2));
    if (!key) return FrameEvent{FrameEvent::BadKey};
    return FrameEvent{token[1] == 'd' ? FrameEvent::KeyDown : FrameEvent::KeyUp, *key};
}

// "WM_LBUTTONDOWN+4": a button with the modifiers held at it.
FrameEvent decodeModifiedButton(const std::string& token, size_t plus) {
    const std::string name = token.substr(0, plus);
    FrameEvent button = decodeFrameEvent(name);
    for (const NamedEvent& named : kMiddleButtonTexts)
        if (name == named.text) button = {named.kind};
    const std::optional<int32_t> modifiers = parseInt32(token.substr(plus + 1));
    if (!modifiers || !buttonNamed(button.kind)) return {};
    button.modifiers = static_cast<uint32_t>(*modifiers);
    return button;
}

FrameEvent decodeToken(const std::string& token) {
    for (const NamedEvent& named : kMiddleButtonTexts)
        if (token == named.text) return {named.kind};
    if (const std::optional<FrameEvent> held = decodeHeldKey(token)) return *held;
    if (token.rfind(kWheelPrefix, 0) == 0) {
        const std::optional<int32_t> turn = parseInt32(token.substr(sizeof kWheelPrefix - 1));
        return turn ? FrameEvent{FrameEvent::Wheel, *turn} : FrameEvent{};
    }
    const size_t plus = token.find('+', 1);
    if (plus == std::string::npos) return decodeFrameEvent(token);
    if (token[0] != 'k') return decodeModifiedButton(token, plus);
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
    if (event.kind == FrameEvent::Key || event.kind == FrameEvent::KeyDown) return "k" + std::to_string(event.key);
    for (const NamedEvent& named : kButtonTexts)
        if (event.kind == named.kind) return named.text;
    return std::string();
}

std::string eventToken(const FrameEvent& event) {
    if ((event.kind == FrameEvent::Key || event.kind == FrameEvent::KeyDown) && event.modifiers)
        return kpText(event) + "+" + std::to_string(event.modifiers);
    if (event.kind == FrameEvent::Wheel) return kWheelPrefix + std::to_string(event.key);
    for (const NamedEvent& named : kMiddleButtonTexts)
        if (event.kind == named.kind) return named.text;
    return kpText(event);
}

std::vector<std::string> pressTokens(const std::vector<FrameEvent>& events) {
    std::vector<std::string> tokens;
    for (const FrameEvent& event : events)
        if (std::string token = eventToken(event); !token.empty()) tokens.push_back(std::move(token));
    return tokens;
}

std::vector<std::string> performedTokens(const std::vector<FrameEvent>& events) {
    std::vector<std::string> tokens;
    for (size_t i = 0; i < events.size(); ++i) {
        const FrameEvent& event = events[i];
        const NamedEvent* button = buttonNamed(event.kind);
        if (event.kind == FrameEvent::KeyDown) {
            const bool tapped = i + 1 < events.size() && events[i + 1].kind == FrameEvent::KeyUp && events[i + 1].key == event.key;
            tokens.push_back(tapped ? eventToken(event) : "kd" + std::to_string(event.key));
            if (tapped) ++i;
        } else if (event.kind == FrameEvent::KeyUp) {
            tokens.push_back("ku" + std::to_string(event.key));
        } else if (button && event.modifiers) {
            tokens.push_back(std::string(button->text) + "+" + std::to_string(event.modifiers));
        } else {
            tokens.push_back(eventToken(event));
        }
    }
    return tokens;
}

}  // namespace tapmill
