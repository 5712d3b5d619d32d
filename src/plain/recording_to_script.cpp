#include "plain/recording_to_script.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "capture/keytable.h"
#include "common/gbk.h"
#include "common/held_input.h"
#include "plain/event_replay.h"
#include "scripts/script_line.h"
#include "scripts/script_words.h"

namespace tapmill {

namespace {

void noteFrame(std::vector<int32_t>& frames, int32_t frame) {
    if (frames.empty() || frames.back() != frame) frames.push_back(frame);
}

bool samePoint(platform::Point a, platform::Point b) { return a.x == b.x && a.y == b.y; }

bool isDelay(const std::string& line) { return scripts::classifyLine(line) == scripts::LineKind::DelayMilliseconds; }

// A key's down and its up with nothing but waiting and the pointer's path between them are one
// press, "单击键盘的", at the down: a key tapped across a frame boundary reads as the user typed it.
// A key held over a click, or held long enough to repeat, keeps its "按下" and "弹起" lines. The
// delays on both sides of a release taken out become one, so the script keeps its pace.
std::vector<std::string> joinQuickPresses(std::vector<std::string> lines) {
    const scripts::ScriptWords& w = scripts::scriptWords();
    std::vector<bool> dropped(lines.size(), false);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (scripts::classifyLine(lines[i]) != scripts::LineKind::KeyDown) continue;
        const std::string key = lines[i].substr(w.keyDown.size());
        size_t j = i + 1;
        while (j < lines.size() && (isDelay(lines[j]) || scripts::classifyLine(lines[j]) == scripts::LineKind::MoveTo)) ++j;
        if (j == lines.size() || lines[j] != w.keyUp + key) continue;
        lines[i] = w.keyClick + key;
        dropped[j] = true;
    }
    std::vector<std::string> joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (dropped[i]) continue;
        // Only a release taken out leaves two delays in a row.
        if (!joined.empty() && isDelay(joined.back()) && isDelay(lines[i]))
            joined.back() = w.delay + std::to_string(scripts::lineWaitMs(joined.back()) + scripts::lineWaitMs(lines[i])) +
                            w.milliseconds;
        else
            joined.push_back(std::move(lines[i]));
    }
    return joined;
}

// The line that anchors the moves after it to the noted window; none where GBK cannot hold the
// note's texts (a file's bytes that were no GBK).
std::optional<std::string> windowLine(const WindowNote& note) {
    return utf8ToGbk("窗口：" + note.title + "，类：" + note.className + "，DPI：" + std::to_string(note.dpi));
}

}  // namespace

// What the replay injects, one action at a time.
struct RecordingToScript::Action {
    enum Kind { KeyDown, KeyUp, LeftDown, LeftUp, RightDown, RightUp, Middle, Wheel };
    Kind kind;
    uint8_t key = 0;

    bool isUnnamedKey() const { return (kind == KeyDown || kind == KeyUp) && keyname(key).empty(); }
};

// The input the replay injects into: it keeps what was injected instead.
class RecordingToScript::Injection : public platform::Input {
public:
    Injection() : held(*this), replay(held) {}

    void setCursorPos(int, int) override {}
    platform::Point cursorPos() override { return {}; }
    platform::InputRefusal mouseEvent(uint32_t flags) override {
        const std::pair<uint32_t, Action::Kind> kinds[] = {
            {platform::kMouseLeftDown, Action::LeftDown},   {platform::kMouseLeftUp, Action::LeftUp},
            {platform::kMouseRightDown, Action::RightDown}, {platform::kMouseRightUp, Action::RightUp},
            {platform::kMouseMiddleDown, Action::Middle},   {platform::kMouseMiddleUp, Action::Middle},
        };
        for (const auto& [flag, kind] : kinds)
            if (flags & flag) actions.push_back({kind});
        return platform::InputRefusal::None;
    }
    platform::InputRefusal mouseWheel(int32_t) override {
        actions.push_back({Action::Wheel});
        return platform::InputRefusal::None;
    }
    platform::InputRefusal keybdEvent(uint8_t virtualKey, uint8_t, uint32_t flags) override {
        actions.push_back({(flags & platform::kKeyEventKeyUp) ? Action::KeyUp : Action::KeyDown, virtualKey});
        return platform::InputRefusal::None;
    }
    uint32_t mapVirtualKey(uint32_t, uint32_t) override { return 0; }
    // A replay presses keys; it never types text.
    platform::InputRefusal typeCharacter(char16_t) override { return platform::InputRefusal::None; }

    std::vector<Action> take() { return std::exchange(actions, {}); }

    std::vector<Action> actions;
    HeldInput held;
    EventReplay replay;
};

RecordingToScript::RecordingToScript(uint64_t byteLimit)
    : injection_(std::make_unique<Injection>()), byteLimit_(byteLimit) {
    append(scripts::scriptWords().start);
}

RecordingToScript::~RecordingToScript() = default;

void RecordingToScript::addFrame(const RecordedFrame& frame) {
    const int32_t number = frames_++;
    const platform::Point position = scriptPosition(number, frame);
    lastFramePosition_ = position;
    for (const FrameEvent& event : frame.events) {
        if (event.kind == FrameEvent::BadKey)
            noteFrame(leftOut_.unnamedKeys, number);
        else
            injection_->replay.play(event);
    }
    injection_->replay.endFrame();
    placeInjected(number, position);
}

platform::Point RecordingToScript::scriptPosition(int32_t frame, const RecordedFrame& recorded) {
    // Only input has a window: a note on a frame without any is of a window the pointer crossed.
    const bool input = std::any_of(recorded.events.begin(), recorded.events.end(),
                                   [](const FrameEvent& e) { return e.kind != FrameEvent::None; });
    if (const std::optional<WindowNote>& note = recorded.note; note && input) {
        if (!window_ || !window_->sameWindow(*note) || window_->dpi != note->dpi) {
            const std::optional<std::string> line = windowLine(*note);
            if (!line && !window_) return recorded.position;
            waitUntil(frame * kFrameMs);
            append(line.value_or(scripts::scriptWords().screenPositions));
            // The moves now mean other points than the last one did.
            pointer_.reset();
            window_.reset();
            if (!line) return recorded.position;
        }
        window_ = note;
        clientOrigin_ = {recorded.position.x - note->clientX, recorded.position.y - note->clientY};
    }
    if (!window_) return recorded.position;
    return {recorded.position.x - clientOrigin_.x, recorded.position.y - clientOrigin_.y};
}

std::optional<std::vector<std::string>> RecordingToScript::finish() {
    if (frames_ > 0) {
        // The modifiers still waiting at the end of the pass are tapped there, as the player does.
        injection_->replay.endPass();
        placeInjected(frames_ - 1, lastFramePosition_);
        if (!pointer_ || !samePoint(*pointer_, lastFramePosition_))
            moveTo(std::max(frames_ * kFrameMs, lastMoveMs_.value_or(0) + kMoveSpacingMs), lastFramePosition_);
        waitUntil(frames_ * kFrameMs);
    }
    append(scripts::scriptWords().end);
    if (bytes_ > byteLimit_) return std::nullopt;
    return joinQuickPresses(std::move(lines_));
}

void RecordingToScript::placeInjected(int32_t frame, platform::Point position) {
    const std::vector<std::string> lines = linesOf(injection_->take(), frame);
    if (lines.empty())
        followPath(frame * kFrameMs, position);
    else
        placeLines(frame * kFrameMs, position, lines);
}

std::vector<std::string> RecordingToScript::linesOf(const std::vector<Action>& actions, int32_t frame) {
    const scripts::ScriptWords& w = scripts::scriptWords();
    std::vector<std::string> lines;
    size_t leftClickLine = SIZE_MAX;  // the line of this frame's last left click
    for (size_t i = 0; i < actions.size(); ++i) {
        const Action& a = actions[i];
        const bool followedBy = i + 1 < actions.size();
        if (a.isUnnamedKey()) {
            if (a.kind == Action::KeyDown) noteFrame(leftOut_.unnamedKeys, frame);
            continue;
        }
        switch (a.kind) {
            case Action::KeyDown: {
                size_t next = i + 1;
                while (next < actions.size() && actions[next].isUnnamedKey()) ++next;
                const bool released = next < actions.size() && actions[next].kind == Action::KeyUp &&
                                      actions[next].key == a.key;
                if (!released) {
                    lines.push_back(w.keyDown + keyname(a.key));
                    break;
                }
                // A modifier held only around keys that are left out goes with them.
                if (next == i + 1) lines.push_back(w.keyClick + keyname(a.key));
                for (size_t k = i + 1; k < next; ++k)
                    if (actions[k].kind == Action::KeyDown) noteFrame(leftOut_.unnamedKeys, frame);
                i = next;
                break;
            }
            case Action::KeyUp: lines.push_back(w.keyUp + keyname(a.key)); break;
            case Action::LeftDown: {
                if (!followedBy || actions[i + 1].kind != Action::LeftUp) {
                    lines.push_back(w.leftDown);
                    break;
                }
                ++i;
                if (leftClickLine != SIZE_MAX && leftClickLine + 1 == lines.size()) {
                    lines.back() = w.leftDoubleClick;
                    leftClickLine = SIZE_MAX;
                } else {
                    lines.push_back(w.leftClick);
                    leftClickLine = lines.size() - 1;
                }
                break;
            }
            case Action::LeftUp: lines.push_back(w.leftUp); break;
            case Action::RightDown:
                lines.push_back(w.rightClick);
                rightHeld_ = true;
                break;
            case Action::RightUp:
                if (!rightHeld_) noteFrame(leftOut_.rightReleases, frame);
                rightHeld_ = false;
                break;
            case Action::Middle: noteFrame(leftOut_.middleButton, frame); break;
            case Action::Wheel: noteFrame(leftOut_.wheel, frame); break;
        }
    }
    return lines;
}

void RecordingToScript::placeLines(int32_t atMs, platform::Point position, const std::vector<std::string>& lines) {
    if (!pointer_ || !samePoint(*pointer_, position)) moveTo(atMs, position);
    waitUntil(atMs);
    for (const std::string& line : lines) append(line);
}

void RecordingToScript::followPath(int32_t atMs, platform::Point position) {
    if (pointer_ && samePoint(*pointer_, position)) return;
    if (lastMoveMs_ && atMs - *lastMoveMs_ < kMoveSpacingMs) return;
    moveTo(atMs, position);
}

void RecordingToScript::moveTo(int32_t atMs, platform::Point position) {
    waitUntil(atMs);
    append(scripts::scriptWords().moveTo + "X=" + std::to_string(position.x) + "y=" + std::to_string(position.y));
    pointer_ = position;
    lastMoveMs_ = atMs;
}

void RecordingToScript::waitUntil(int32_t atMs) {
    if (atMs <= scriptMs_) return;
    const scripts::ScriptWords& w = scripts::scriptWords();
    append(w.delay + std::to_string(atMs - scriptMs_) + w.milliseconds);
    scriptMs_ = atMs;
}

void RecordingToScript::append(std::string line) {
    bytes_ += line.size() + 2;
    if (bytes_ <= byteLimit_) lines_.push_back(std::move(line));
}

}  // namespace tapmill
