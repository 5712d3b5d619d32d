#include "app/activity.h"

namespace tapmill {

Activity activityOf(const ActivityFlags& f) {
    if (f.recording && !f.recordingPaused) return Activity::Recording;
    if (f.playing && !f.playingPaused) return Activity::Playing;
    if (f.running && !f.runningPaused) return Activity::Running;
    if (f.recording || f.playing || f.running) return Activity::Paused;
    return Activity::Idle;
}

std::string activityStatusText(Activity activity) {
    switch (activity) {
        case Activity::Recording: return "当前状态：录制……";
        case Activity::Playing: return "当前状态：播放……";
        case Activity::Running: return "当前状态：运行脚本……";
        case Activity::Paused: return "当前状态：暂停";
        case Activity::Idle: break;
    }
    return "当前状态：";
}

void ActivityStatus::refuse(Activity now, const std::string& refusal) {
    refusal_ = refusal;
    refusedDuring_ = now;
}

std::string ActivityStatus::text(Activity now) {
    if (now != refusedDuring_) refusal_.clear();
    return refusal_.empty() ? activityStatusText(now) : refusal_;
}

std::string activityTrayTip(Activity activity) {
    switch (activity) {
        case Activity::Recording: return "Tapmill — 录制中";
        case Activity::Playing: return "Tapmill — 播放中";
        case Activity::Running: return "Tapmill — 运行脚本中";
        case Activity::Paused: return "Tapmill — 暂停";
        case Activity::Idle: break;
    }
    return "欢迎使用Tapmill";
}

}  // namespace tapmill
