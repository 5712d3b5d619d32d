#include "triggers/Unit_hotkey.h"

#include "app/Unit_main.h"
#include "app/play_count_field.h"
#include "capture/keytable.h"
#include "common/intparse.h"
#include "common/script_names.h"
#include "triggers/hotkey_conflicts.h"

namespace tapmill {

TForm_hotkey::TForm_hotkey(TForm_maintapmill& main, platform::Platform& platform, ui::Factory& factory)
    : main_(main), platform_(platform), factory_(factory) {
    createControls();
    // The main window writes captured keys into these fields for as long as this window lives.
    hotLoan_ = std::make_unique<CaptureFieldLoan<ui::TextControl>>(main_.captureFields.Edit_hot, *Edit_hot);
    kcLoan_ = std::make_unique<CaptureFieldLoan<ui::TextControl>>(main_.captureFields.Edit_kc, *Edit_kc);
}

TForm_hotkey::~TForm_hotkey() { FormClose(); }

void TForm_hotkey::createControls() {
    ui::WindowSpec windowSpec;
    windowSpec.className = "TForm_hotkey";
    windowSpec.caption = "热键设置";
    windowSpec.clientWidth = 480;
    windowSpec.clientHeight = 330;
    windowSpec.owner = main_.window->nativeHandle();
    windowSpec.defaultButtonId = ID_Speedbutton_sutime;  // 添加热键
    window = factory_.window(windowSpec, *this);
    ui::Window& w = *window;
    auto caption = [&](ui::Rect r, const std::string& text) { captions_.push_back(factory_.label(w, ID_Header, r, text)); };

    caption({8, 6, 200, 14}, "热键设置");
    RzRadioButton_sk = factory_.radioButton(w, ID_RzRadioButton_sk, {12, 30, 66, 18}, "单键", true);
    Edit_hot = factory_.edit(w, ID_Edit_hot, {80, 28, 146, 20}, "", ui::EditStyle::ReadOnly);
    RzRadioButton_kc = factory_.radioButton(w, ID_RzRadioButton_kc, {12, 58, 66, 18}, "组合键", false);
    ComboBox_KC = factory_.comboBox(w, ID_ComboBox_KC, {80, 56, 60, 120}, true);
    for (const char* m : {"Ctrl", "Alt", "Shift"}) ComboBox_KC->addItem(m);
    caption({144, 60, 10, 14}, "+");
    Edit_kc = factory_.edit(w, ID_Edit_kc, {156, 56, 70, 20}, "", ui::EditStyle::ReadOnly);
    caption({12, 90, 66, 14}, "热键性质:");
    ComboBox_kind = factory_.comboBox(w, ID_ComboBox_kind, {80, 86, 80, 120}, true);
    for (const char* k : {"运行", "停止"}) ComboBox_kind->addItem(k);
    RzRadioButton_sk->setChecked(true);

    RadioButton_recjb = factory_.radioButton(w, ID_RadioButton_recjb, {244, 30, 96, 18}, "录制的脚本:", true);
    ComboBox_recjb = factory_.comboBox(w, ID_ComboBox_recjb, {342, 28, 130, 200}, true);
    RadioButton_homajb = factory_.radioButton(w, ID_RadioButton_homajb, {244, 58, 96, 18}, "自编的脚本:", false);
    ComboBox_homajb = factory_.comboBox(w, ID_ComboBox_homajb, {342, 56, 130, 200}, true);
    RadioButton_recjb->setChecked(true);
    caption({244, 90, 70, 14}, "播放次数：");
    Edit_playta = factory_.edit(w, ID_Edit_playta, {314, 86, 44, 20}, "1");
    CheckBox_loopa = factory_.checkBox(w, ID_CheckBox_loopa, {366, 88, 106, 18}, "无限循环播放");

    ListView_homa = factory_.listView(w, ID_ListView_homa, {8, 116, 464, 170},
                                      {{"序号", 40, ui::Align::Left},
                                       {"运行", 80, ui::Align::Center},
                                       {"停止", 80, ui::Align::Center},
                                       {"脚本名", 80, ui::Align::Center},
                                       {"次数", 40, ui::Align::Center},
                                       {"启用", 40, ui::Align::Left}});

    Speedbutton_sutime = factory_.button(w, ID_Speedbutton_sutime, {60, 296, 80, 26}, "添加热键");
    Speedbutton_cancel = factory_.button(w, ID_Speedbutton_cancel, {160, 296, 80, 26}, "删除热键");
    Speedbutton_plan = factory_.button(w, ID_Speedbutton_plan, {260, 296, 80, 26}, "退出");
    RzBitBtn1 = factory_.button(w, ID_RzBitBtn1, {360, 296, 80, 26}, "启用");
}

void TForm_hotkey::FormShow() {
    ComboBox_KC->setSelectedIndex(0);
    ComboBox_kind->setSelectedIndex(0);
    main_.listjb(*ComboBox_recjb, "jb_rec\\");
    main_.listjb(*ComboBox_homajb, "jb_homa\\");
    listEntries(-1);
}

void TForm_hotkey::listEntries(int chosen) {
    ListView_homa->clear();
    const std::vector<HotKeyEntry>& entries = main_.userHotKeys.entries();
    const char* const kFaulty = "（无效）";
    for (size_t i = 0; i < entries.size(); ++i) {
        const HotKeyEntry& e = entries[i];
        const std::string key = chordText(e.chord) + (e.faults & HotKeyEntry::KeyFault ? kFaulty
                                                      : e.taken                        ? "（被占用）"
                                                                                       : "");
        // A faulty name is never looked for: it may point outside the program's folders.
        const std::string script =
            e.script + (e.faults & HotKeyEntry::ScriptFault         ? kFaulty
                        : userHotKeyScriptMissing(main_.exedir, e) ? "（丢失）"
                                                                   : "");
        const std::string count = (e.count == kEndlessPlayCount ? "无限" : std::to_string(e.count)) +
                                  (e.faults & HotKeyEntry::CountFault ? kFaulty : "");
        ListView_homa->addRow({std::to_string(i + 1), e.stops ? "" : key, e.stops ? key : "", script, count,
                               e.faults ? "无效" : e.enabled ? "是" : "否"});
    }
    ListView_homa->setSelectedIndex(chosen);
}

// The close ends a capture still in progress, whatever route it took: the main window would
// otherwise go on sending keys to a window that is gone.
void TForm_hotkey::FormClose() {
    Edit_hotExit();
    Edit_kcExit();
}

void TForm_hotkey::Edit_hotEnter() { capture(main_.capture_hot, capturingHot_, true); }

void TForm_hotkey::Edit_hotExit() { capture(main_.capture_hot, capturingHot_, false); }

void TForm_hotkey::Edit_kcEnter() { capture(main_.capture_kc, capturingKc_, true); }

void TForm_hotkey::Edit_kcExit() { capture(main_.capture_kc, capturingKc_, false); }

// The window holds the keyboard library's reporting once per field that captures, and lets go of
// exactly that: a recording going on keeps its keys.
void TForm_hotkey::capture(bool& flag, bool& capturing, bool on) {
    flag = on;
    if (capturing == on) return;
    capturing = on;
    if (on)
        main_.keyReporting.hold();
    else
        main_.keyReporting.release();
}

void TForm_hotkey::CheckBox_loopaClick() {
    followEndlessBox(*CheckBox_loopa, *Edit_playta);
}

void TForm_hotkey::Edit_playtaKeyPress(char& key) { main_.Edit_playtKeyPress(*Edit_playta, key); }

void TForm_hotkey::Edit_playtaChange() { main_.Edit_playtChange(*Edit_playta); }

void TForm_hotkey::remind(const std::string& text) {
    platform_.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

// Checks an entry, then keeps it in hotkey.ini and registers it as a hot key.
void TForm_hotkey::Speedbutton_sutimeClick() {
    if (RzRadioButton_sk->checked() && trimSpaces(Edit_hot->text()).empty()) {
        remind("所选择的热键不能为空！");
        return Edit_hot->setFocus();  // gaining the focus starts the capture
    }
    if (RzRadioButton_kc->checked() && trimSpaces(Edit_kc->text()).empty()) {
        remind("所选择的热键不能为空！");
        return Edit_kc->setFocus();
    }
    if (RadioButton_recjb->checked() && ComboBox_recjb->selectedIndex() < 0) return remind("请选择脚本！");
    if (RadioButton_homajb->checked() && ComboBox_homajb->selectedIndex() < 0) return remind("请选择脚本！");

    const HotKeyEntry entry = typedEntry();
    if (entry.count == 0) return remind("播放次数不能为0！");
    if (std::optional<std::string> conflict = hotKeyConflict(entry.chord, main_.controlKeys, main_.userHotKeys))
        return remind(*conflict);
    if (!main_.userHotKeys.add(entry)) return remind(takenByAnotherProgram(entry.chord));
    listEntries(static_cast<int>(main_.userHotKeys.entries().size()) - 1);
}

HotKeyEntry TForm_hotkey::typedEntry() const {
    static const uint32_t kModifiers[] = {platform::kModControl, platform::kModAlt, platform::kModShift};
    HotKeyEntry entry;
    const bool single = RzRadioButton_sk->checked();
    // The fields hold the labels the key table gave, one for each key, so each has its code.
    entry.chord.key = static_cast<uint32_t>(keyOfLabel(trimSpaces((single ? Edit_hot : Edit_kc)->text())).value_or(0));
    const int modifier = ComboBox_KC->selectedIndex();
    if (!single && modifier >= 0 && modifier < 3) entry.chord.modifiers = kModifiers[modifier];
    entry.stops = ComboBox_kind->selectedIndex() == 1;
    entry.plainRecording = RadioButton_recjb->checked();
    entry.script = (entry.plainRecording ? ComboBox_recjb : ComboBox_homajb)->text();
    entry.count = CheckBox_loopa->checked() ? kEndlessPlayCount : parseInt32Strict(Edit_playta->text());
    return entry;
}

void TForm_hotkey::Speedbutton_cancelClick() {
    const int chosen = ListView_homa->selectedIndex();
    if (chosen < 0) return;
    main_.userHotKeys.remove(static_cast<size_t>(chosen));
    listEntries(-1);
}

void TForm_hotkey::RzBitBtn1Click() {
    const int chosen = ListView_homa->selectedIndex();
    if (chosen < 0) return;
    // A disabled entry held no combination, so a control hot key may have taken its own since.
    const HotKeyEntry& entry = main_.userHotKeys.entries()[static_cast<size_t>(chosen)];
    if (!entry.enabled && !entry.faults)
        if (std::optional<std::string> conflict =
                controlKeyConflict(entry.chord, main_.controlKeys, main_.userHotKeys, /*changing=*/0))
            return remind(*conflict);
    if (!main_.userHotKeys.toggle(static_cast<size_t>(chosen)))
        remind(takenByAnotherProgram(main_.userHotKeys.entries()[static_cast<size_t>(chosen)].chord));
    listEntries(chosen);
}

void TForm_hotkey::Speedbutton_planClick() { window->close(); }

void TForm_hotkey::onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) {
    const bool click = event == ui::Event::Click;
    switch (controlId) {
        case ID_Edit_hot:
            if (event == ui::Event::FocusIn) Edit_hotEnter();
            if (event == ui::Event::FocusOut) Edit_hotExit();
            break;
        case ID_Edit_kc:
            if (event == ui::Event::FocusIn) Edit_kcEnter();
            if (event == ui::Event::FocusOut) Edit_kcExit();
            break;
        case ID_Edit_playta:
            if (event == ui::Event::KeyPress) Edit_playtaKeyPress(args.key);
            if (event == ui::Event::Change) Edit_playtaChange();
            break;
        case ID_CheckBox_loopa: if (click) CheckBox_loopaClick(); break;
        case ID_Speedbutton_sutime: if (click) Speedbutton_sutimeClick(); break;
        case ID_Speedbutton_plan: if (click) Speedbutton_planClick(); break;
        case ID_Speedbutton_cancel: if (click) Speedbutton_cancelClick(); break;
        case ID_RzBitBtn1: if (click) RzBitBtn1Click(); break;
        default: break;
    }
}

}  // namespace tapmill
