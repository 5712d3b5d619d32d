#include "app/control_key_panel.h"

#include "triggers/hotkey_conflicts.h"

namespace tapmill {

namespace {

constexpr ui::Rect kSectionRect{0, 164, 360, 134};
constexpr int kRows = 5;
constexpr int kLabelWidth = 54;
constexpr int kFieldWidth = 86;
constexpr int kColumnWidth = 144;
constexpr int kFirstRowY = 22;
constexpr int kRowHeight = 22;

// Keys that are only ever held with another: a hot key of one of them alone would fire at every
// combination typed with it.
bool isModifierKey(int key) { return key == 16 || key == 17 || key == 18 || key == 91 || key == 92; }

std::string fieldText(KeyChord chord) { return chord.none() ? "无" : chordText(chord); }

}  // namespace

ControlKeyPanel::ControlKeyPanel(ui::Factory& factory, ui::Panel& parent, Context context)
    : context_(std::move(context)) {
    Panel_controlkeys = factory.panel(parent, ID_Panel_controlkeys, kSectionRect, "Panel_controlkeys");
    ui::Panel& p = *Panel_controlkeys;
    captions_.push_back(factory.label(p, ID_Caption, {8, 2, 200, 14}, "控制热键"));
    for (size_t i = 0; i < kControlHotKeyCount; ++i) {
        const int x = 12 + static_cast<int>(i) / kRows * kColumnWidth;
        const int y = kFirstRowY + static_cast<int>(i) % kRows * kRowHeight;
        captions_.push_back(factory.label(p, ID_Caption, {x, y + 3, kLabelWidth, 14}, kControlHotKeys[i].name));
        fields[i] = factory.edit(p, ID_FirstField + static_cast<int>(i), {x + kLabelWidth, y, kFieldWidth, 20}, "",
                                 ui::EditStyle::ReadOnly);
    }
    Button_clear = factory.button(p, ID_Clear, {296, kFirstRowY, 60, 24}, "清除");
    Button_restore = factory.button(p, ID_Restore, {296, kFirstRowY + 30, 60, 24}, "恢复默认");
}

ControlKeyPanel::~ControlKeyPanel() { fieldExit(); }

void ControlKeyPanel::onControlEvent(int controlId, ui::Event event) {
    const int field = controlId - ID_FirstField;
    if (field >= 0 && field < static_cast<int>(kControlHotKeyCount)) {
        if (event == ui::Event::FocusIn) fieldEnter(static_cast<size_t>(field));
        if (event == ui::Event::FocusOut) fieldExit();
        return;
    }
    if (event != ui::Event::Click) return;
    if (controlId == ID_Clear) Button_clearClick();
    if (controlId == ID_Restore) Button_restoreClick();
}

void ControlKeyPanel::showKeys() {
    for (size_t i = 0; i < kControlHotKeyCount; ++i)
        fields[i]->setText(fieldText(context_.controlKeys.chord(kControlHotKeys[i].id)));
}

// While a field captures, a control hot key pressed is the combination being chosen, not an order.
void ControlKeyPanel::fieldEnter(size_t index) {
    chosen_ = index;
    if (context_.captureFields.chordField == this) return;
    context_.captureFields.chordField = this;
    context_.keyReporting.hold();
}

void ControlKeyPanel::fieldExit() {
    if (context_.captureFields.chordField != this) return;
    context_.captureFields.chordField = nullptr;
    context_.keyReporting.release();
}

void ControlKeyPanel::captureChord(int key, uint32_t modifiers) {
    if (chosen_ >= kControlHotKeyCount || isModifierKey(key) || (modifiers & platform::kModWin)) return;
    change(chosen_, {modifiers & (platform::kModControl | platform::kModAlt | platform::kModShift),
                     static_cast<uint32_t>(key)});
}

void ControlKeyPanel::Button_clearClick() {
    if (chosen_ < kControlHotKeyCount) change(chosen_, KeyChord{});
}

void ControlKeyPanel::Button_restoreClick() {
    // An entry of the user's table that took a documented combination keeps it: the restore
    // would register that combination twice, and whichever came second would never fire.
    const ControlKeys documented;
    for (const ControlHotKey& k : kControlHotKeys)
        if (std::optional<std::string> conflict = controlKeyConflict(k.standard, documented, context_.userHotKeys, k.id))
            return remind(*conflict);
    const uintptr_t window = context_.window.nativeHandle();
    for (const ControlHotKey& k : kControlHotKeys) context_.platform.hotkeys.unregisterHotKey(window, k.id);
    context_.controlKeys.restoreDefaults();
    context_.controlKeys.registerAll(context_.platform.hotkeys, window);
    saved();
}

void ControlKeyPanel::change(size_t index, KeyChord chord) {
    const int id = kControlHotKeys[index].id;
    if (context_.controlKeys.chord(id) == chord) return;
    if (!chord.none()) {
        if (std::optional<std::string> conflict =
                controlKeyConflict(chord, context_.controlKeys, context_.userHotKeys, id))
            return remind(*conflict);
    }
    if (!context_.controlKeys.reregister(context_.platform.hotkeys, context_.window.nativeHandle(), id, chord))
        return remind(takenByAnotherProgram(chord));
    context_.controlKeys.set(id, chord);
    saved();
}

void ControlKeyPanel::saved() {
    context_.controlKeys.write(context_.exedir + "config.ini");
    showKeys();
    if (context_.changed) context_.changed();
}

void ControlKeyPanel::remind(const std::string& text) {
    context_.platform.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

}  // namespace tapmill
