#pragma once
#include <memory>

#include "ui/controls.h"
#include "ui/factory.h"

namespace tapmill {

// The plain panel's choice, for each playback, between following the windows a recording noted
// ("跟随窗口", ticked at first) and the screen positions the frames were recorded at. A recording
// without notes plays at its screen positions either way.
class WindowFollowChoice {
public:
    WindowFollowChoice(ui::Factory& factory, ui::Control& panel, int id, ui::Rect rect);
    bool followsWindows() const { return box_->checked(); }
    ui::CheckBox& box() { return *box_; }

private:
    std::unique_ptr<ui::CheckBox> box_;
};

}  // namespace tapmill
