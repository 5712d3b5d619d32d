#pragma once
#include <string>

namespace tapmill {

// What the program is doing, as the status bar and the tray icon's tip tell the user: the plain
// and the journal recorder and player and the script interpreter taken together.
struct ActivityFlags {
    bool recording = false, recordingPaused = false;
    bool playing = false, playingPaused = false;
    bool running = false, runningPaused = false;
};

enum class Activity { Idle, Recording, Playing, Running, Paused };

// Something that goes on outranks something paused: a recording paused while a playback nested in
// it runs is playing.
Activity activityOf(const ActivityFlags& flags);
// Panel 0 of the status bar: "当前状态：录制……", "当前状态：暂停", ...
std::string activityStatusText(Activity activity);
// Panel 0 while a command of the command line is refused for the work under way or a modal window
// of the program.
inline const char* const kCommandRefusedStatus = "正忙，已拒绝命令行的命令";
// Panel 0 when a command names a recording, journal or script its folder does not hold.
inline std::string commandNameMissingStatus(const std::string& name) { return "'" + name + "'不存在，已拒绝命令"; }

// Panel 0 of the status bar: what the program is doing, or the refusal of a command, which stays
// there until what the program is doing changes.
class ActivityStatus {
public:
    void refuse(Activity now, const std::string& refusal);
    std::string text(Activity now);

private:
    std::string refusal_;
    Activity refusedDuring_ = Activity::Idle;
};

// The tray icon's tip: "欢迎使用Tapmill" while idle, otherwise "Tapmill — 录制中" and the like.
std::string activityTrayTip(Activity activity);

}  // namespace tapmill
