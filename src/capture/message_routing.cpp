// The main window's routing of the hook libraries' messages: a mouse button or a key goes into
// the frame being recorded, or, while a key field captures keys, its name into that field.
#include <string>

#include "app/Unit_main.h"
#include "capture/hook_messages.h"
#include "capture/keytable.h"
#include "journal/input_messages.h"

namespace tapmill {

namespace {

const char* const kMouseEventTexts[] = {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_RBUTTONDOWN", "WM_RBUTTONUP"};

void showCapturedKey(ui::TextControl* field, const std::string& name) {
    if (field) field->setText(name);
}

}  // namespace

bool TForm_maintapmill::onMessage(uint32_t message, uintptr_t, intptr_t lParam) {
    if (routeTrayMessage(message, lParam)) return true;
    if (message == journal::kWmCancelJournal) {
        WMCancelJournal();
        return true;
    }
    if (message >= kMouseMessageBase && message <= kMouseMessageBase + kMouseRightUpOffset) {
        recordFrameEvent(kMouseEventTexts[message - kMouseMessageBase]);
        return false;
    }
    if (message == kMouseMessageBase + kMouseLeftDoubleClickOffset) {
        recordFrameEvent("WM_LBUTTONDBLCLK");
        return true;
    }
    for (int n = 1; n <= 123; ++n)
        if (keymsg[static_cast<size_t>(n)] != 0 && keymsg[static_cast<size_t>(n)] == message) routeKey(n);
    return false;
}

void TForm_maintapmill::routeKey(int number) {
    if (!capture_kb && !capture_hot && !capture_kc) {
        recordFrameEvent("k" + std::to_string(number));
        return;
    }
    // A captured key is not recorded.
    const std::string name = keyname(number);
    if (capture_kb) showCapturedKey(captureFields.Edit_kb, name);
    if (capture_hot) showCapturedKey(captureFields.Edit_hot, name);
    if (capture_kc) showCapturedKey(captureFields.Edit_kc, name);
}

// The event replaces whatever the frame had; without an open recording it is dropped. Between
// Stop and the loop's end step the recording is still open, so a late event lands in the last frame.
void TForm_maintapmill::recordFrameEvent(const std::string& text) {
    if (!openRec_.isOpen()) return;
    if (!openRec_.writeEvent(recFrame, text)) stopRecordingAfterWriteFailure();
}

}  // namespace tapmill
