// Input the editor takes from the desktop: key names while Edit_kb has the focus (through the
// keyboard hook library and the main window's routing), screen points on Ctrl+1 while point
// capture is on, and typed coordinates that are digits only.
#include "common/delay.h"
#include "scripts/Unit_homa.h"

namespace tapmill {

namespace {

// Long enough for the windows below the editor to repaint, short enough to pass unnoticed.
constexpr int kRepaintBelowMs = 250;

}  // namespace

void TForm_homa::Edit_kbEnter() {
    if (!capturingKeys_) main_.keyReporting.hold();
    capturingKeys_ = true;
    main_.capture_kb = true;
}

void TForm_homa::Edit_kbExit() { endKeyCapture(); }

void TForm_homa::endKeyCapture() {
    if (!capturingKeys_) return;
    capturingKeys_ = false;
    main_.capture_kb = false;
    main_.keyReporting.release();
}

void TForm_homa::SpeedButton_tzlzClick() {
    // The user may have chosen another key than Ctrl+1 on the options panel, or none.
    const KeyChord key = main_.controlKeys.chord(HK_CapturePoint);
    if (key.none()) return remind("抓点热键已清除，无法抓点！");
    if (platform_.dialogs.messageBox("按" + chordText(key) + "进行抓点，选\"是\"则最小化程序进行抓点，选\"否\"直接进行抓点",
                                     platform::kRemindCaption,
                                     platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes)
        stepAsideForPointCapture();
    // Pressed again while capturing, the key is ours already.
    if (!capturingPoints_ &&
        !platform_.hotkeys.registerHotKey(main_.window->nativeHandle(), HK_CapturePoint, key.modifiers, key.key))
        return remind(chordText(key) + " 已被其它程序占用，无法抓点！");
    capturingPoints_ = true;
    Label_con->setVisible(true);
}

// The editor would cover what the user points at, so it goes with the main window; the main
// window's next show (from the tray) brings it back.
void TForm_homa::stepAsideForPointCapture() {
    main_.ApplicationEvents1Minimize();
    hiddenWindowLoan_ = std::make_unique<CaptureFieldLoan<ui::Window>>(main_.captureFields.hiddenForPointCapture, *window);
    window->hide();
}

void TForm_homa::stepAsideWhile(const std::function<void()>& work) {
    // The window comes back however the work ends, an error included.
    struct ComeBack {
        TForm_homa& editor;
        ~ComeBack() {
            editor.window->show();
            editor.steppedAside_ = false;
        }
    };
    steppedAside_ = true;
    window->hide();
    ComeBack comeBack{*this};
    // The windows below paint what the editor covered before anything looks at the screen.
    Delay(platform_.pump, kRepaintBelowMs);
    work();
}

void TForm_homa::onShow() {
    // Back from point capture or a picture, the window shows what it showed, unsaved lines included.
    if (steppedAside_) return;
    if (hiddenWindowLoan_)
        hiddenWindowLoan_.reset();
    else
        FormShow();
}

void TForm_homa::SpeedButton_jszdClick() {
    if (!main_.window->visible()) main_.window->show();
    if (hiddenWindowLoan_) window->show();
    endPointCapture();
}

void TForm_homa::endPointCapture() {
    platform_.hotkeys.unregisterHotKey(main_.window->nativeHandle(), HK_CapturePoint);
    capturingPoints_ = false;
    Label_con->setVisible(false);
    hiddenWindowLoan_.reset();
}

void TForm_homa::Edit_xKeyPress(char& key) {
    if (key == '\b' || (key >= '0' && key <= '9')) return;
    key = 0;
    platform_.dialogs.messageBeep(1);
}

}  // namespace tapmill
