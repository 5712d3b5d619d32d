// What a hot key of the user's table does when it is pressed.
#include "app/Unit_main.h"
#include "platform/files.h"

namespace tapmill {

namespace {

// The plain player's speed of a hot key's start, as of a timed start left at its middle.
constexpr int kHotKeyPlaySpeed = 5;

}  // namespace

void TForm_maintapmill::userHotKeyPressed(const HotKeyEntry& entry) {
    if (entry.stops) {
        // What Ctrl+Q stops.
        SpeedButton_stopClick();
        Speedbutton_stopaClick();
        stopJournalPlayback();
        return;
    }
    // A start never goes inside what runs already or inside a modal window: the user's key would
    // otherwise nest a second playback into a recording, a run or the window's loop.
    if (busyForAStart()) return;
    if (userHotKeyScriptMissing(exedir, entry)) return;
    if (entry.plainRecording)
        playrec(entry.count, kHotKeyPlaySpeed, entry.script);
    else
        runhoma(entry.count, entry.script, *homajbRunList, true);
}

}  // namespace tapmill
