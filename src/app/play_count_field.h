#pragma once
#include "ui/controls.h"

namespace tapmill {

// A play-count field beside its "无限循环播放" box: while the box is ticked the count does not
// matter, so the field takes no input and is greyed; unticked, it is a normal field again.
inline void followEndlessBox(const ui::CheckBox& endlessBox, ui::Edit& countField) {
    const bool endless = endlessBox.checked();
    countField.setEnabled(!endless);
    countField.setBackground(endless ? ui::SysColor::Light3D : ui::SysColor::Window);
}

}  // namespace tapmill
