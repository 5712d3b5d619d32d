// Ctrl+1 while the script editor captures points: the pointer's position goes to the top of the
// editor's point list.
#include <string>

#include "app/Unit_main.h"

namespace tapmill {

void TForm_maintapmill::capturePoint() {
    const platform::Point at = platform_.input.cursorPos();
    if (captureFields.ComboBox_con)
        captureFields.ComboBox_con->insertItem(0, "X=" + std::to_string(at.x) + "y=" + std::to_string(at.y));
}

}  // namespace tapmill
