#include "app/Unit_main.h"
#include "triggers/Unit_hotkey.h"

namespace tapmill {

void TForm_maintapmill::RzBitBtn2Click() {
    TForm_hotkey hotkeys(*this, platform_, factory_);
    hotkeys.window->showModal();
}

}  // namespace tapmill
