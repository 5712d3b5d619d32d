#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tapmill {

// The play settings of the panels that play or run (the play count, the speed where the panel has
// one, the "无限循环播放" box), kept in config.ini across restarts: one section a panel, with the
// keys "count", "speed" and "endless". A key that is missing, or holds what the control cannot
// show, leaves the control as the program starts it. Only a panel whose settings changed since the
// start is written, so a settings file the user never needs written (a read-only one) is not.
class PlaySettings {
public:
    struct Panel {
        std::string section;
        ui::Edit& count;
        ui::TrackBar* speed;  // none on a panel without a speed
        ui::CheckBox& endless;
        // The panel's own handler of its endless box, which puts the panel in the box's mode.
        std::function<void()> endlessClick;
    };

    explicit PlaySettings(std::vector<Panel> panels) : panels_(std::move(panels)) {}
    // Sets the panels from the file at the program's first show, once its show step has put every
    // panel in its idle state; the later shows keep what the user has set since.
    void restoreAtStart(const std::string& config);
    void save(const std::string& config);

private:
    // What a panel's settings are now, to tell a change.
    static std::string settingsOf(const Panel& panel);

    std::vector<Panel> panels_;
    std::vector<std::string> kept_;  // by panel: the settings as read or last written
};

}  // namespace tapmill
