#pragma once
#include <array>
#include <memory>

#include "ui/factory.h"

namespace tapmill {

// The editor's command sources stand on pages, one shown at a time beside the script's lines, so
// that the window fits a small screen however many kinds of line there are. A row of choices above
// them names the pages.
class HomaPages {
public:
    enum Page : int { Keys, Blocks, Waits, kPageCount };
    enum ControlId : int { ID_RadioButton_keys = 940, ID_RadioButton_blocks, ID_RadioButton_waits, ID_Panel_page };
    // The height of the choices and the page below them, at 96 DPI.
    static int height();

    // The choices and the pages go at `place` (its width and top left) in the window.
    HomaPages(ui::Factory& factory, ui::Window& window, ui::Rect place);

    bool handles(int controlId) const { return controlId >= ID_RadioButton_keys && controlId < ID_Panel_page; }
    // A click on a page's name shows it.
    void onClick(int controlId);

    ui::Panel& page(Page which) { return *pages_[which]; }
    void show(Page which);

    std::unique_ptr<ui::RadioButton> RadioButton_keys, RadioButton_blocks, RadioButton_waits;

private:
    std::array<std::unique_ptr<ui::Panel>, kPageCount> pages_;
};

}  // namespace tapmill
