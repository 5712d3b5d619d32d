// The main window's routing of the hook libraries' messages: a mouse button or a key goes into
// the frame being recorded, or, while a key field captures keys, its name into that field.
#include <string>

#include "app/Unit_main.h"
#include "capture/control_hotkeys.h"
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

bool TForm_maintapmill::onMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    // A command of the command line handed over by a later start, or the start of one taken.
    if (platform_.handOver.routeMessage(message, wParam, lParam)) return true;
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
        if (keymsg[static_cast<size_t>(n)] != 0 && keymsg[static_cast<size_t>(n)] == message)
            routeKey(n, static_cast<uint32_t>(lParam));
    return false;
}

// The keyboard library reports every press with the modifiers held. A capture field takes each
// key; a recording takes each but the program's own control hot keys, which would replay into the
// replay and stop or pause it.
void TForm_maintapmill::routeKey(int number, uint32_t modifiers) {
    if (captureFields.chordField) return captureFields.chordField->captureChord(number, modifiers);
    if (!capture_kb && !capture_hot && !capture_kc) {
        if (!controlKeys.setsOff(number, modifiers) && !userHotKeys.setsOff(number, modifiers))
            recordFrameEvent("k" + std::to_string(number));
        return;
    }
    // A captured key is not recorded.
    const std::string name = keyname(number);
    if (capture_kb) showCapturedKey(captureFields.Edit_kb, name);
    if (capture_hot) showCapturedKey(captureFields.Edit_hot, name);
    if (capture_kc) showCapturedKey(captureFields.Edit_kc, name);
}

void TForm_maintapmill::leaveModifierOutOfRecording(uint32_t modifiers) {
    if (modifiers & platform::kModControl) openRec_.takeBackLastEvent("k17");
    if (modifiers & platform::kModAlt) openRec_.takeBackLastEvent("k18");
    if (modifiers & platform::kModShift) openRec_.takeBackLastEvent("k16");
}

// The event replaces whatever the frame had; without an open recording it is dropped. Between
// Stop and the loop's end step the recording is still open, so a late event lands in the last frame.
void TForm_maintapmill::recordFrameEvent(const std::string& text) {
    if (!openRec_.isOpen()) return;
    if (!openRec_.writeEvent(recFrame, text)) stopRecordingAfterWriteFailure();
}

}  // namespace tapmill
