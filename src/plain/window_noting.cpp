#include "plain/window_noting.h"

namespace tapmill {

namespace {

constexpr int kNoButton = -1;

// Which of the three buttons an event presses (or turns: the wheel is a press of its own that
// nothing releases) or releases.
int buttonOf(FrameEvent::Kind kind) {
    switch (kind) {
        case FrameEvent::LeftDown:
        case FrameEvent::LeftUp:
        case FrameEvent::LeftDoubleClick: return 0;
        case FrameEvent::RightDown:
        case FrameEvent::RightUp: return 1;
        case FrameEvent::MiddleDown:
        case FrameEvent::MiddleUp: return 2;
        default: return kNoButton;
    }
}

bool isRelease(FrameEvent::Kind kind) {
    return kind == FrameEvent::LeftUp || kind == FrameEvent::RightUp || kind == FrameEvent::MiddleUp;
}

WindowNote placedAt(WindowNote note, platform::Point clientOrigin, platform::Point at) {
    note.clientX = at.x - clientOrigin.x;
    note.clientY = at.y - clientOrigin.y;
    return note;
}

}  // namespace

void WindowNoting::restart() {
    reportedKeyboard_ = 0;
    lastKeyboard_.reset();
    for (std::optional<Press>& press : pressed_) press.reset();
    notedFrame_ = -1;
    notedKeyboard_ = false;
}

WindowNoting::Button WindowNoting::button(const FrameEvent& event, platform::Point at, int32_t frame) {
    const int button = buttonOf(event.kind);
    const bool release = button != kNoButton && isRelease(event.kind);
    std::optional<Press> press = release ? pressed_[button] : std::nullopt;
    if (release) pressed_[button].reset();
    // A press, or a release whose press the recording did not see (that of the "录制" clicked to
    // start it), goes to the window under the point.
    if (!press) {
        const uintptr_t under = windows_.windowHandleAt(at.x, at.y);
        const bool own = under && windows_.isOwnWindow(under);
        press = Press{own, own ? std::nullopt : noteOf(under)};
        if (button != kNoButton && !release) pressed_[button] = press;
    }
    if (press->leftOut) return {true, std::nullopt};
    const std::optional<NotedWindow>& window = press->window;
    if (!window || !frameTakes(frame, false)) return {};
    return {false, placedAt(window->note, window->clientOrigin, at)};
}

std::optional<WindowNote> WindowNoting::key(platform::Point pointer, int32_t frame) {
    const uintptr_t handle = reportedKeyboard_ ? reportedKeyboard_ : windows_.foregroundWindow();
    reportedKeyboard_ = 0;
    if (!handle || windows_.isOwnWindow(handle)) return std::nullopt;
    std::optional<NotedWindow> window = noteOf(handle);
    // Gone already: the key closed it. It had the keyboard at the key before.
    if (!window && lastKeyboard_ && lastKeyboard_->handle == handle) window = lastKeyboard_;
    if (!window) return std::nullopt;
    window->note.keyboard = true;
    lastKeyboard_ = window;
    if (!frameTakes(frame, true)) return std::nullopt;
    return placedAt(window->note, window->clientOrigin, pointer);
}

std::optional<WindowNoting::NotedWindow> WindowNoting::noteOf(uintptr_t handle) {
    if (!handle) return std::nullopt;
    const std::optional<platform::TopWindow> window = windows_.windowOf(handle);
    if (!window) return std::nullopt;
    const std::optional<platform::WindowPlace> place = windows_.placeOf(handle);
    if (!place) return std::nullopt;
    NotedWindow noted;
    noted.handle = handle;
    noted.note.className = window->className;
    noted.note.title = window->title;
    noted.note.dpi = place->dpi;
    noted.clientOrigin = {place->client.left, place->client.top};
    return noted;
}

bool WindowNoting::frameTakes(int32_t frame, bool keyboard) {
    if (frame == notedFrame_ && (keyboard || !notedKeyboard_)) return false;
    notedFrame_ = frame;
    notedKeyboard_ = keyboard;
    return true;
}

}  // namespace tapmill
