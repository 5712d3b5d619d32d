// The main window's routing of the hook libraries' messages: a mouse button, the wheel or a key
// goes into the frame being recorded, or, while a key field captures keys, its name into that field.
#include <algorithm>
#include <string>

#include "app/Unit_main.h"
#include "capture/control_hotkeys.h"
#include "capture/hook_messages.h"
#include "capture/keytable.h"
#include "journal/input_messages.h"

namespace tapmill {

namespace {

// By offset from kMouseMessageBase.
const FrameEvent::Kind kMouseEvents[] = {FrameEvent::LeftDown, FrameEvent::LeftUp, FrameEvent::RightDown,
                                         FrameEvent::RightUp, FrameEvent::LeftDoubleClick, FrameEvent::MiddleDown,
                                         FrameEvent::MiddleUp};

void showCapturedKey(ui::TextControl* field, const std::string& name) {
    if (field) field->setText(name);
}

constexpr uint32_t kModifierBits = platform::kModAlt | platform::kModControl | platform::kModShift | platform::kModWin;

// The modifiers the libraries report with a button or key in lParam.
uint32_t modifiersOf(intptr_t lParam) { return static_cast<uint32_t>(lParam) & kModifierBits; }

// Shift, Ctrl, Alt and the Windows keys: the keys that are a modifier themselves.
bool isModifierKey(int number) { return modifiersBesides(number, kModifierBits) != kModifierBits; }

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
        recordButton({kMouseEvents[message - kMouseMessageBase], 0, modifiersOf(lParam)}, wParam, lParam);
        return false;
    }
    // The library's own messages beyond the four transitions older ones also posted end here.
    if (message >= kMouseMessageBase + kMouseLeftDoubleClickOffset && message <= kMouseMessageBase + kMouseMiddleUpOffset) {
        recordButton({kMouseEvents[message - kMouseMessageBase], 0, modifiersOf(lParam)}, wParam, lParam);
        return true;
    }
    if (message == kMouseMessageBase + kMouseWheelOffset) {
        recordButton({FrameEvent::Wheel, static_cast<int32_t>(static_cast<intptr_t>(wParam))}, 0, 0);
        return true;
    }
    if (message != 0 && message == keyboardWindowMsg) {
        windowNoting_.keyboardWindowReported(wParam);
        return true;
    }
    if (message != 0 && message == keyTransitionMsg) {
        routeKeyTransition(static_cast<int>(wParam), static_cast<uint32_t>(lParam));
        return true;
    }
    const auto key = std::find(keymsg.begin() + 1, keymsg.end(), message);
    if (message != 0 && key != keymsg.end()) routeKey(static_cast<int>(key - keymsg.begin()), static_cast<uint32_t>(lParam));
    return false;
}

// The keyboard library reports every press with the modifiers held. A capture field takes each
// key; a recording takes each but the program's own control hot keys, which would replay into the
// replay and stop or pause it.
void TForm_maintapmill::routeKey(int number, uint32_t modifiers) {
    if (stopOrPausePastHeldModifiers(number, modifiers)) return;
    if (!captureFields.chordField && !capture_kb && !capture_hot && !capture_kc) {
        if (!controlKeys.setsOff(number, modifiers) && !userHotKeys.setsOff(number, modifiers))
            recordKeyPress({FrameEvent::KeyDown, number, modifiersBesides(number, modifiers)});
        return;
    }
    const ControlHotKey* control = controlKeys.holder({modifiers, static_cast<uint32_t>(number)});
    if (control && stopsWhatRuns(control->id)) return;
    if (captureFields.chordField) return captureFields.chordField->captureChord(number, modifiers);
    // A captured key is not recorded. The editor writes a combination as lines of its own; the
    // hot-key window takes single keys.
    const std::string name = keyLabel(number);
    if (capture_kb) showCapturedKey(captureFields.Edit_kb, combinationName(number, modifiers));
    if (capture_hot) showCapturedKey(captureFields.Edit_hot, name);
    if (capture_kc) showCapturedKey(captureFields.Edit_kc, name);
}

// A recording keeps a key held as it was held: its release, and the repeats of a key other than a
// modifier (whose repeats change nothing). Only a key whose press it took: a capture field, a hot
// key or a key held since before the recording leaves nothing.
void TForm_maintapmill::routeKeyTransition(int number, uint32_t flags) {
    if (!openRec_.holdsKey(number)) return;
    if (flags & kKeyReleasedFlag)
        recordFrameEvent({FrameEvent::KeyUp, number});
    else if ((flags & kKeyRepeatedFlag) && !isModifierKey(number))
        recordFrameEvent({FrameEvent::KeyDown, number, modifiersBesides(number, modifiersOf(flags))});
}

// The stop's combination is nothing a field could take: it is the stop's own already, or refused
// as the stop's. So the user can always stop what goes on.
bool TForm_maintapmill::stopsWhatRuns(int id) const {
    if (id == HK_Stop) return recording || playing || running;
    if (id == HK_JournalStop) return stjournal.recorder.hookHeld() || stjournal.player.playing;
    return false;
}

// The system matches a hot key's modifiers exactly: a modifier a run holds down (a replayed Shift)
// makes the user's Ctrl+Q a Ctrl+Shift+Q that no hot key answers. Without the modifiers the
// program holds itself, the key is the one the user pressed.
bool TForm_maintapmill::stopOrPausePastHeldModifiers(int number, uint32_t modifiers) {
    const uint32_t ours = modifiers & heldInputs_.modifiersHeld();
    if (!ours) return false;
    const ControlHotKey* control = controlKeys.holder({modifiers & ~ours, static_cast<uint32_t>(number)});
    if (!control || (control->id != HK_Stop && control->id != HK_Pause)) return false;
    // While a field captures keys only the stop is an order; the pause key is the field's.
    const bool capturing = captureFields.chordField || capture_kb || capture_hot || capture_kc;
    if (capturing && !stopsWhatRuns(control->id)) return false;
    OnWMHotKey(control->id);
    return true;
}

void TForm_maintapmill::leaveModifierOutOfRecording(uint32_t modifiers) { openRec_.takeBackHotKeyPresses(modifiers); }

// A button goes to the window under the point the library saw it at, where the message says (an
// older library's does not: then where the pointer is now). One on the program's own window, such
// as the "结束" that ends the recording, is no part of it.
void TForm_maintapmill::recordButton(const FrameEvent& event, uintptr_t wParam, intptr_t lParam) {
    if (!openRec_.isOpen()) return;
    const platform::Point at = (static_cast<uint32_t>(lParam) & kPointInWParamFlag)
                                   ? platform::Point{pointXOf(wParam), pointYOf(wParam)}
                                   : platform_.input.cursorPos();
    const WindowNoting::Button button = windowNoting_.button(event, at, recFrame);
    if (button.leftOut) return;
    recordFrameEvent(event);
    if (button.note && !openRec_.writeNote(recFrame, *button.note)) stopRecordingAfterWriteFailure();
}

void TForm_maintapmill::recordKeyPress(const FrameEvent& event) {
    if (!openRec_.isOpen()) return;
    recordFrameEvent(event);
    const std::optional<WindowNote> note = windowNoting_.key(platform_.input.cursorPos(), recFrame);
    if (note && !openRec_.writeNote(recFrame, *note)) stopRecordingAfterWriteFailure();
}

// The event joins whatever the frame had; without an open recording it is dropped. Between Stop
// and the loop's end step the recording is still open, so a late event lands in the last frame.
void TForm_maintapmill::recordFrameEvent(const FrameEvent& event) {
    if (!openRec_.isOpen()) return;
    if (!openRec_.writeEvent(recFrame, event)) stopRecordingAfterWriteFailure();
}

}  // namespace tapmill
