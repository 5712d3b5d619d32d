// The script interpreter: runs a hand-written script with injected input, once, several times or
// without end, and shows its progress in the status bar, the progress bar and the run list.
#include "app/Unit_main.h"
#include "common/delay.h"
#include "scripts/script_fault.h"
#include "scripts/script_file.h"
#include "scripts/script_run.h"

namespace tapmill {

void TForm_maintapmill::runhoma(int32_t count, const std::string& name, scripts::RunList& lines, bool ownScript,
                                StartedBy by) {
    // Only the editor's own run takes the lines as they stand. A run that Ctrl+E, the timed start
    // or a plan task starts while the editor's run goes on hands over the main window's list, and
    // gets its own script's file in it.
    const bool editorsLines = editrun && &lines != homajbRunList.get();
    // The timed start, the plan tasks, the user's hot keys and the editor bring their own script;
    // the panel needs an enabled one.
    if (usename.empty() && !ownScript && !editorsLines && !timeset && !planon) {
        platform_.dialogs.messageBox("请选择您要启用的脚本再运行！", platform::kRemindCaption,
                                     platform::MessageButtons::Ok);
        return;
    }
    platform::InputRefusal refusal = platform::InputRefusal::None;
    std::string fault;
    // A run nested in another hands the indicator back to the outer one's lines when it ends.
    const scripts::RunList* const outerLines = runningLines;
    try {
        if (!editorsLines) {
            std::optional<std::vector<std::string>> file = scripts::readScriptFile(scripts::scriptPath(exedir, name));
            if (!file) throw scripts::ScriptFault("the script file cannot be read");
            lines.setLines(std::move(*file));
        }
        running = true;
        runningLines = &lines;
        lines.setHighlighted(lines.currentLine(), false);
        setStatus(0, "当前状态：运行脚本……");
        FineTimingScope fineTiming(platform_.pump);
        // The keyboard library tells the stop and pause keys pressed while the run holds a modifier.
        const KeyReporting::Hold keysWhileRunning(keyReporting);
        // The start of the run in milliseconds is seed enough for the waits of random delays.
        scripts::ScriptRun run(platform_, running, runpause, heldInputs_, *ProgressBar, lines, platform_.pump.tickMs(),
                               scripts::scriptImageFolder(exedir, name));
        run.run(count);
        refusal = run.refusal();
    } catch (const scripts::ScriptLineFault& lineFault) {
        fault = scripts::lineFaultMessage(lineFault, lines);
    } catch (const scripts::ScriptFault&) {
        fault = "脚本出错，请检查后再运行！";
    }
    setStatus(0, "当前状态：");
    running = false;
    runningLines = outerLines;
    if (!fault.empty()) tell(by, fault);
    if (refusal != platform::InputRefusal::None) reportRefusedInput(refusal, by);
}

}  // namespace tapmill
