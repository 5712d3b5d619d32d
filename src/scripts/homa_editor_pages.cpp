#include "scripts/homa_editor_pages.h"

#include "scripts/homa_editor_rows.h"

namespace tapmill {

namespace {

constexpr int kChoiceHeight = 20;
constexpr int kPageTop = 28;

}  // namespace

int HomaPages::height() { return kPageTop + homa_rows::kPageHeight; }

HomaPages::HomaPages(ui::Factory& factory, ui::Window& window, ui::Rect place) {
    const int third = place.w / 3;
    RadioButton_keys =
        factory.radioButton(window, ID_RadioButton_keys, {place.x, place.y, third - 4, kChoiceHeight}, "按键与鼠标", true);
    RadioButton_blocks = factory.radioButton(window, ID_RadioButton_blocks,
                                             {place.x + third, place.y, third - 4, kChoiceHeight}, "文本与循环", false);
    RadioButton_waits = factory.radioButton(window, ID_RadioButton_waits,
                                            {place.x + 2 * third, place.y, third - 4, kChoiceHeight}, "窗口与屏幕", false);
    for (auto& page : pages_)
        page = factory.panel(window, ID_Panel_page, {place.x, place.y + kPageTop, place.w, homa_rows::kPageHeight}, "");
    show(Keys);
}

void HomaPages::onClick(int controlId) { show(static_cast<Page>(controlId - ID_RadioButton_keys)); }

void HomaPages::show(Page which) {
    for (int p = 0; p < kPageCount; ++p) pages_[p]->setVisible(p == which);
    RadioButton_keys->setChecked(which == Keys);
    RadioButton_blocks->setChecked(which == Blocks);
    RadioButton_waits->setChecked(which == Waits);
}

}  // namespace tapmill
