#pragma once
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "common/frame_clock.h"
#include "common/held_input.h"
#include "common/held_inputs.h"
#include "platform/platform.h"
#include "scripts/run_list.h"
#include "scripts/script_flow.h"
#include "scripts/script_line.h"
#include "scripts/screen_wait.h"
#include "scripts/window_anchor.h"
#include "ui/controls.h"

namespace tapmill::scripts {

// The passes and steps of one script run over a run list. The main window's runhoma puts the
// guard, the file, the status text and the failure message around it.
class ScriptRun {
public:
    // running and runpause are the main window's flags, which the stop and pause actions change
    // while the run waits; what the run holds is listed in heldInputs while it lasts, for the
    // pause to let go of. The seed chooses the waits of the random delays. The image lines' bitmaps
    // are in imageFolder (scriptImageFolder).
    ScriptRun(platform::Platform& platform, const bool& running, const bool& runpause, HeldInputs& heldInputs,
              ui::ProgressBar& progress, RunList& lines, uint32_t randomSeed, std::string imageFolder)
        : platform_(platform), running_(running), runpause_(runpause), progress_(progress), lines_(lines),
          held_(platform.input), heldListed_(heldInputs, held_, HeldInputs::Script),
          schedule_(platform.pump, 0, kCatchUpMs), random_(randomSeed),
          anchor_(platform, running, runpause), screen_(platform, running, runpause, anchor_, std::move(imageFolder)) {}

    // Runs `count` passes (without end for the endless count) while running stays set and the
    // system takes the input. Throws ScriptFault; for a faulty building-block line (script_flow.h)
    // before anything is injected. A run that is stopped or faulty lets go of the keys and buttons
    // it pressed and did not release; one that runs to its end leaves them as the script left them.
    void run(int32_t count);
    // Why the system took none of an injection, which ended the run; None while it took all.
    platform::InputRefusal refusal() const { return held_.refusal(); }

private:
    // A step more than this late (a nested run or a dialog held the thread) starts the delays
    // afresh from itself rather than cutting the next ones short to make up the time.
    static constexpr int32_t kCatchUpMs = 50;

    // One step at line i; true when the run ends at once (a "开始" straight before "结束").
    bool step(int& i);
    std::string lineAt(int i) const;
    void showProgress(int i);
    void act(const std::string& line, LineKind kind);
    void pressKey(const std::string& line, bool down, bool up);
    // The lines that type, repeat, jump and wait for windows, colours and images; they may move i
    // to the line before the one that runs next.
    void actBlock(const std::string& line, LineKind kind, int& i);
    // After a wait: on at the next line, at the label the line names when the limit passed, or
    // the run stops with the message.
    void afterWait(WaitOutcome outcome, const WaitEnd& end, const char* notFound, int& i);
    void moveToFound(const std::string& line, int i);
    int32_t waitOf(const std::string& line, LineKind kind, int i);
    void typeText(const std::u16string& text);
    void moveTo(const std::string& line);

    platform::Platform& platform_;
    const bool& running_;
    const bool& runpause_;
    ui::ProgressBar& progress_;
    RunList& lines_;
    HeldInput held_;
    HeldInputs::Entry heldListed_;
    // The delays add up on an absolute schedule from the start of the run, so the time the lines
    // between them take does not lengthen the script.
    FrameClock schedule_;
    std::mt19937 random_;
    // The window the moves are positions in, from a "窗口：" line on.
    WindowAnchor anchor_;
    // Made when run() starts.
    std::optional<ScriptFlow> flow_;
    ScreenWait screen_;
};

}  // namespace tapmill::scripts
