#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tapmill {

// The play settings of the panels that play or run (the play count, the speed where the panel has
// one, the "无限循环播放" box), kept in config.ini across restarts: one section a panel, with the
// keys "count", "speed" and "endless", and further boxes of a panel (addBox). A key that is missing, or holds what the control cannot
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
    // A further box of a panel's settings, kept under its own key of the panel's section ("1" or
    // "0", as "endless"), read and written with the others.
    void addBox(const std::string& section, const std::string& key, ui::CheckBox& box);
    // Sets the panels from the file at the program's first show, once its show step has put every
    // panel in its idle state; the later shows keep what the user has set since.
    void restoreAtStart(const std::string& config);
    void save(const std::string& config);

private:
    // What a panel's settings are now, its further boxes with them, to tell a change.
    std::string settingsOf(const Panel& panel) const;

    struct Box {
        std::string section, key;
        ui::CheckBox& box;
    };

    std::vector<Panel> panels_;
    std::vector<Box> boxes_;
    std::vector<std::string> kept_;  // by panel: the settings as read or last written
};

}  // namespace tapmill
