// Ctrl+1 while the script editor captures points: the pointer's position goes to the top of the
// editor's point list, and the window under it into the editor's window field, as the "窗口："
// line names it; the point and its colour go into the editor's colour fields.
#include <optional>
#include <string>

#include "app/Unit_main.h"

namespace tapmill {

void TForm_maintapmill::capturePoint() {
    const platform::Point at = platform_.input.cursorPos();
    if (captureFields.ComboBox_con)
        captureFields.ComboBox_con->insertItem(0, "X=" + std::to_string(at.x) + "y=" + std::to_string(at.y));
    const std::optional<platform::TopWindow> window = platform_.topWindows.windowAt(at.x, at.y);
    if (captureFields.Edit_anchor && window) {
        // With its DPI the positions in it are scaled where the window has another one at replay.
        const std::optional<platform::WindowPlace> place = platform_.topWindows.placeOf(window->handle);
        captureFields.Edit_anchor->setText(window->title + "，类：" + window->className +
                                           (place ? "，DPI：" + std::to_string(place->dpi) : ""));
    }
    platform::PixelBuffer pixel;
    if (captureFields.colourPoint && platform_.screen.grab({at.x, at.y, 1, 1}, pixel) != platform::Grab::Nothing)
        captureFields.colourPoint->capturePointColour(at.x, at.y, pixel.pixels[0]);
}

}  // namespace tapmill
