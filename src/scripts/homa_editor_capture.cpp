// Input the editor takes from the desktop: key names while Edit_kb has the focus (through the
// keyboard hook library and the main window's routing), screen points on Ctrl+1 while point
// capture is on, and typed coordinates that are digits only.
#include "scripts/Unit_homa.h"

namespace tapmill {

namespace {

constexpr uint32_t kKeyOne = 49;  // the 1 key of Ctrl+1

}  // namespace

void TForm_homa::Edit_kbEnter() {
    capturingKeys_ = true;
    main_.capture_kb = true;
    platform_.hooks.enableHotKeyHook();
}

void TForm_homa::Edit_kbExit() { endKeyCapture(); }

void TForm_homa::endKeyCapture() {
    if (!capturingKeys_) return;
    capturingKeys_ = false;
    main_.capture_kb = false;
    platform_.hooks.disableHotKeyHook();
}

void TForm_homa::SpeedButton_tzlzClick() {
    if (platform_.dialogs.messageBox("按Ctrl+1进行抓点，选\"是\"则最小化程序进行抓点，选\"否\"直接进行抓点",
                                     platform::kRemindCaption,
                                     platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes)
        main_.ApplicationEvents1Minimize();
    // Pressed again while capturing, Ctrl+1 is ours already.
    if (!capturingPoints_ && !platform_.hotkeys.registerHotKey(main_.window->nativeHandle(), HK_CapturePoint,
                                                               platform::kModControl, kKeyOne))
        return remind("Ctrl+1 已被其它程序占用，无法抓点！");
    capturingPoints_ = true;
    Label_con->setVisible(true);
}

void TForm_homa::SpeedButton_jszdClick() { endPointCapture(); }

void TForm_homa::endPointCapture() {
    platform_.hotkeys.unregisterHotKey(main_.window->nativeHandle(), HK_CapturePoint);
    capturingPoints_ = false;
    Label_con->setVisible(false);
}

void TForm_homa::Edit_xKeyPress(char& key) {
    if (key == '\b' || (key >= '0' && key <= '9')) return;
    key = 0;
    platform_.dialogs.messageBeep(1);
}

}  // namespace tapmill
