#include "app/window_follow_choice.h"

namespace tapmill {

WindowFollowChoice::WindowFollowChoice(ui::Factory& factory, ui::Control& panel, int id, ui::Rect rect)
    : box_(factory.checkBox(panel, id, rect, "跟随窗口")) {
    box_->setChecked(true);
}

}  // namespace tapmill
