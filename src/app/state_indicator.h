#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/activity.h"
#include "platform/input.h"
#include "ui/factory.h"

namespace tapmill {

// Where the user wants the state indicator: a corner of the screen, or nowhere. The values are
// the items of the options panel's list and what config.ini keeps.
enum class IndicatorCorner { TopLeft, TopRight, BottomLeft, BottomRight, Hidden };

// How far a recording, playback or script run has got, as the main window shows it.
struct IndicatorProgress {
    int32_t recordedFrames = 0;
    int64_t recordingMs = 0;
    int32_t playedFrame = 0;
    int32_t pass = 0;    // 1 for the first; 0 while no pass is known
    int32_t passes = 0;  // kEndlessPlayCount for a playback without end
    int32_t scriptLine = 0;  // 1 for the first; 0 while no line is known
    // The script's line waits for a colour or an image: it looks at the screen, and a grab can hold
    // every window on it (under Wine it does).
    bool screenWait = false;
};

// "录制中  12 帧  00:42", "播放中  第 2 / ∞ 遍  第 17 帧", "运行脚本中  第 5 行", "暂停"; empty while idle.
std::string indicatorText(Activity activity, const IndicatorProgress& progress);
// The tray icon's colour of the state (0xRRGGBB).
uint32_t indicatorColour(Activity activity);
// Where a box of `size` sits in a corner of the work area, a small gap away from its edges.
ui::Rect placeInCorner(IndicatorCorner corner, const ui::Rect& workArea, const ui::Rect& size);
// The corner the box shows in now: the chosen one, unless the pointer is near the box there; then
// the other corner of the same edge, until the pointer has left the chosen one's neighbourhood.
IndicatorCorner cornerAwayFromPointer(IndicatorCorner chosen, IndicatorCorner now, const ui::Rect& workArea,
                                      const ui::Rect& size, platform::Point pointer);

// The small window that shows over every other what the program records, plays or runs, and the
// choice of its corner on the options panel ("状态指示", kept in config.ini). The main window calls
// `update` at each tick of its display; the indicator shows while something goes on, and is gone
// when the program is idle, the user chose "不显示", or a script's wait looks at the screen, which
// must see the desktop without it.
class StateIndicator {
public:
    StateIndicator(ui::Factory& factory, ui::Control& optionsPanel, int controlId);

    // `tickMs` is the system's millisecond tick, which wraps.
    void update(Activity activity, IndicatorProgress progress, platform::Point pointer, uint32_t tickMs);
    // The plain player tells each pass it begins; the journal player's passes come with the progress.
    void passBegins(int32_t pass, int32_t passes);

    void readCorner(const std::string& config);
    void saveCorner(const std::string& config) const;
    void restoreDefault();
    IndicatorCorner chosenCorner() const;

private:
    std::unique_ptr<ui::Label> caption_;
    std::unique_ptr<ui::ComboBox> cornerList_;
    std::unique_ptr<ui::Overlay> overlay_;
    IndicatorCorner shownCorner_ = IndicatorCorner::Hidden;
    Activity last_ = Activity::Idle;
    int64_t recordedMs_ = 0;
    uint32_t lastTickMs_ = 0;
    int32_t plainPass_ = 0, plainPasses_ = 0;
};

}  // namespace tapmill
