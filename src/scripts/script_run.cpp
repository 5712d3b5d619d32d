#include "scripts/script_run.h"

#include <algorithm>

#include "app/Unit_main.h"
#include "common/delay.h"
#include "scripts/script_fault.h"
#include "scripts/script_flow_line.h"
#include "scripts/window_wait.h"

namespace tapmill::scripts {

namespace {

constexpr int kPauseCheckMs = 20;
// The gap between typed characters: a steady pace that programs busy with each character keep up
// with.
constexpr int kTypingPaceMs = 10;

const char kWindowNotThere[] = "限时内没有等到这个窗口";
const char kWindowNotInFront[] = "限时内没能把这个窗口调到前面";
const char kColourNotThere[] = "限时内这个点没有出现这个颜色";
const char kImageNotThere[] = "限时内屏幕上没有出现这个图片";
const char kNothingFound[] = "前面没有等到过颜色或图片，不知道要移到哪里";

}  // namespace

void ScriptRun::run(int32_t count) {
    try {
        flow_.emplace(lines_);
        screen_.loadImages(lines_);
        bool passRan = false;
        int i = 0;
        while ((count > 0 || count == kEndlessPlayCount) && running_) {
            flow_->startPass();
            anchor_.release();
            i = 0;
            bool steppedOnce = false;
            while (running_ && classifyLine(lineAt(i)) != LineKind::End) {
                steppedOnce = true;
                if (step(i)) return;
                if (refusal() != platform::InputRefusal::None) {
                    held_.releaseAll();
                    return;
                }
                ++i;
            }
            // A script whose first line is the end takes no step, and so would never let Stop in.
            if (!steppedOnce) platform_.pump.processPendingMessages();
            passRan = true;
            if (count != kEndlessPlayCount) --count;
        }
        if (passRan && i < lines_.count() && classifyLine(lines_.line(i)) == LineKind::End)
            lines_.setHighlighted(i - 1, false);
    } catch (const ScriptFault&) {
        held_.releaseAll();
        throw;
    }
    if (!running_) held_.releaseAll();
}

bool ScriptRun::step(int& i) {
    if (classifyLine(lineAt(i)) == LineKind::Start) ++i;
    // The step works on the line as it reads now; a nested run or the editor may change the list
    // while the step waits.
    const std::string line = lineAt(i);
    const LineKind kind = classifyLine(line);

    // A step that does not wait still lets Stop, Pause and the hot keys through, or a script
    // without delays could never be stopped.
    schedule_.nextFrameAfter(waitOf(line, kind, i));
    // A stop during a long delay ends the run at once, not when the delay is over.
    schedule_.waitForFrame(running_);
    if (!running_) return false;
    if (runpause_ && running_) {
        while (runpause_ && running_) Delay(platform_.pump, kPauseCheckMs, running_);
        // A stop pressed while paused ends the run without the line it was paused before.
        if (!running_) return false;
        // The delays after a pause count from where it ended.
        schedule_.restart();
    }

    showProgress(i);
    lines_.setHighlighted(i - 1, false);
    lines_.setHighlighted(i, true);
    act(line, kind);
    actBlock(line, kind, i);
    return kind == LineKind::End;
}

int32_t ScriptRun::waitOf(const std::string& line, LineKind kind, int i) {
    if (kind != LineKind::RandomDelay) return lineWaitMs(line);
    try {
        const DelayRange range = lineDelayRange(line);
        return std::uniform_int_distribution<int32_t>(range.from, range.to)(random_);
    } catch (const ScriptLineFault& fault) {
        // The range was read when the run started, so the line has been changed since.
        throw ScriptLineFault(fault.reason(), i);
    }
}

void ScriptRun::actBlock(const std::string& line, LineKind kind, int& i) {
    // A run stopped while the step waited ends here; a nested run may have put other lines in the
    // list meanwhile.
    if (!running_) return;
    try {
        switch (kind) {
            case LineKind::TypeText:
                if (anchor_.beforeInput(false)) typeText(lineText(line));
                // The delays after the text count from its last character.
                schedule_.restart();
                break;
            case LineKind::LoopStart: i = flow_->afterLoopStart(i) - 1; break;
            case LineKind::LoopEnd: i = flow_->afterLoopEnd(i) - 1; break;
            case LineKind::Jump: i = flow_->jump(i, lineJumpTarget(line)) - 1; break;
            case LineKind::WaitWindow:
            case LineKind::ActivateWindow: {
                const WindowLine window = lineWindow(line);
                const bool activate = kind == LineKind::ActivateWindow;
                afterWait(WindowWait(platform_, running_, runpause_).wait(window, activate), window.end,
                          activate ? kWindowNotInFront : kWindowNotThere, i);
                break;
            }
            case LineKind::WaitColour: {
                const ColourLine colour = lineColour(line);
                afterWait(screen_.wait(colour, i), colour.end, kColourNotThere, i);
                break;
            }
            case LineKind::WaitImage: {
                const ImageLine image = lineImage(line);
                afterWait(screen_.wait(image, i), image.end, kImageNotThere, i);
                break;
            }
            case LineKind::MoveToFound: moveToFound(line, i); break;
            case LineKind::AnchorWindow: {
                const AnchorLine anchor = lineAnchor(line);
                afterWait(anchor_.anchor(anchor, i), anchor.end, kWindowNotThere, i);
                break;
            }
            case LineKind::ScreenPositions: anchor_.release(); break;
            default: break;
        }
    } catch (const ScriptLineFault& fault) {
        if (fault.line() >= 0) throw;
        // The operands were read when the run started, so the lines have changed since.
        throw ScriptLineFault(fault.reason(), i);
    }
}

void ScriptRun::afterWait(WaitOutcome outcome, const WaitEnd& end, const char* notFound, int& i) {
    schedule_.restart();
    if (outcome != WaitOutcome::TimedOut) return;
    if (!end.otherwise) throw WindowTimeout(notFound, i);
    i = flow_->jump(i, *end.otherwise) - 1;
}

void ScriptRun::moveToFound(const std::string& line, int i) {
    const std::optional<platform::Point> found = screen_.found();
    if (!found) throw WindowTimeout(kNothingFound, i);
    const platform::Point offset = lineFoundOffset(line);
    platform_.input.setCursorPos(found->x + offset.x, found->y + offset.y);
}

void ScriptRun::moveTo(const std::string& line) {
    if (const std::optional<platform::Point> p = anchor_.screenPoint(lineMoveTarget(line)))
        platform_.input.setCursorPos(p->x, p->y);
}

void ScriptRun::typeText(const std::u16string& text) {
    for (char16_t unit : text) {
        while (runpause_ && running_) Delay(platform_.pump, kPauseCheckMs);
        if (!running_ || refusal() != platform::InputRefusal::None) return;
        held_.type(unit);
        Delay(platform_.pump, kTypingPaceMs);
    }
}

std::string ScriptRun::lineAt(int i) const {
    if (i < 0 || i >= lines_.count()) throw ScriptFault("the script runs past its last line");
    return lines_.line(i);
}

void ScriptRun::showProgress(int i) {
    const int lastIndex = lines_.count() - 1;
    if (lastIndex <= 0) throw ScriptFault("a script of one line");
    const double percent = (i + 1) * 100.0 / lastIndex;
    // A short script can compute more than 100; the bar shows that as full.
    progress_.setPosition(std::min(static_cast<int>(percent), 100));
}

void ScriptRun::act(const std::string& line, LineKind kind) {
    // A press goes to the window line's window; a release goes where its press went.
    const bool button = kind == LineKind::LeftClick || kind == LineKind::LeftDoubleClick ||
                        kind == LineKind::RightClick || kind == LineKind::LeftDown;
    const bool key = kind == LineKind::KeyClick || kind == LineKind::KeyDown;
    if ((button || key) && !anchor_.beforeInput(button)) return;
    switch (kind) {
        case LineKind::KeyClick: pressKey(line, true, true); break;
        case LineKind::KeyDown: pressKey(line, true, false); break;
        case LineKind::KeyUp: pressKey(line, false, true); break;
        case LineKind::MoveTo: moveTo(line); break;
        case LineKind::LeftClick:
            held_.mouse(platform::kMouseLeftDown);
            held_.mouse(platform::kMouseLeftUp);
            break;
        case LineKind::LeftDoubleClick:
            for (int click = 0; click < 2; ++click) {
                held_.mouse(platform::kMouseLeftDown);
                held_.mouse(platform::kMouseLeftUp);
            }
            break;
        case LineKind::RightClick:
            held_.mouse(platform::kMouseRightDown);
            held_.mouse(platform::kMouseRightUp);
            break;
        case LineKind::LeftDown: held_.mouse(platform::kMouseLeftDown); break;
        case LineKind::LeftUp: held_.mouse(platform::kMouseLeftUp); break;
        default: break;
    }
}

void ScriptRun::pressKey(const std::string& line, bool down, bool up) {
    const std::optional<uint8_t> key = lineKeyCode(line);
    if (!key) return;
    if (down) held_.key(*key, 0);
    if (up) held_.key(*key, platform::kKeyEventKeyUp);
}

}  // namespace tapmill::scripts
