// The script editor's life cycle, its event switch and its run controls.
#include "scripts/Unit_homa.h"

#include <optional>
#include <utility>

#include "scripts/script_file.h"
#include "scripts/script_signs.h"

namespace tapmill {

TForm_homa::TForm_homa(TForm_maintapmill& main, platform::Platform& platform, ui::Factory& factory)
    : main_(main), platform_(platform), factory_(factory) {
    createControls();
    lines = std::make_unique<scripts::EditorLines>(*ListBox_homajba);
    textView = std::make_unique<scripts::EditorTextView>(*Memo_homajba, *ListBox_homajba);
    undoKeyPause_ = std::make_unique<ControlKeyPause>(main_.controlKeys, platform_.hotkeys, main_.window->nativeHandle(),
                                                      HK_Play, kUndoKey);
    keyFieldLoan_ = std::make_unique<CaptureFieldLoan<ui::TextControl>>(main_.captureFields.Edit_kb, *Edit_kb);
    pointListLoan_ = std::make_unique<CaptureFieldLoan<ui::ItemList>>(main_.captureFields.ComboBox_con, *ComboBox_con);
}

void TForm_homa::FormShow() {
    main_.editrun = false;
    ComboBox_s->setSelectedIndex(0);
    ComboBox_kbstate->setSelectedIndex(0);
    // Without a name there is no file to look for: "jb_homa\.ini" is no script of the editor's.
    std::optional<std::vector<std::string>> file;
    if (!main_.editname.empty()) file = scripts::readScriptFile(scriptFile(main_.editname));
    if (!file) return SpeedButton_newjbClick();
    // A file written elsewhere may hold half-width signs, which a run refuses: they are shown as
    // the full-width ones, and leaving offers to save them so.
    std::vector<std::string> shown;
    for (const std::string& line : *file) shown.push_back(scripts::withFullWidthSigns(line));
    lines->setLines(std::move(*file));
    lines->markUnchanged();
    if (shown != lines->lines()) lines->setLines(std::move(shown));
    Edit_jbname->setText(main_.editname);
}

bool TForm_homa::FormCloseQuery() {
    if (!scriptChanged()) return true;
    switch (platform_.dialogs.messageBox("脚本已修改，是否保存？", platform::kRemindCaption,
                                         platform::MessageButtons::YesNoCancel)) {
        case platform::MessageAnswer::Yes:
            // A save that was refused or failed has told the user why; the lines stay to be kept.
            SpeedButton_saveClick();
            return !scriptChanged();
        case platform::MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void TForm_homa::FormClose() {
    main_.editrun = false;
    endPointCapture();
    endKeyCapture();
    giveUndoKeyBack();
    // A run of the editor's lines would go on driving the desktop from a window that is gone.
    if (runningOwnLines_) main_.running = main_.runpause = false;
}

void TForm_homa::onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) {
    if (pages && pages->handles(controlId)) {
        if (event == ui::Event::Click) pages->onClick(controlId);
        return;
    }
    if (blockInserts && blockInserts->handles(controlId))
        return sectionEvent(event, [&] { blockInserts->onControlEvent(controlId, event, args); });
    if (screenInserts && screenInserts->handles(controlId))
        return sectionEvent(event, [&] { screenInserts->onControlEvent(controlId, event, args); });
    switch (event) {
        case ui::Event::Click:
            buttonClick(controlId);
            break;
        case ui::Event::Select:
            if (controlId == ID_ListBox_homajba) ListBox_homajbaClick();
            break;
        case ui::Event::DoubleClick:
            if (controlId == ID_ListBox_homajba) ListBox_homajbaDblClick();
            break;
        case ui::Event::FocusIn:
            if (controlId == ID_Edit_kb) Edit_kbEnter();
            break;
        case ui::Event::FocusOut:
            if (controlId == ID_Edit_kb) Edit_kbExit();
            break;
        case ui::Event::KeyPress:
            if (controlId == ID_Edit_x || controlId == ID_Edit_y) Edit_xKeyPress(args.key);
            break;
        default:
            break;
    }
}

// A section's click inserts lines as the editor's own buttons do: one step for 撤销.
void TForm_homa::sectionEvent(ui::Event event, const std::function<void()>& handle) {
    if (event != ui::Event::Click) return handle();
    scripts::EditHistory::State before{lines->lines(), lines->currentLine()};
    handle();
    recordStepFrom(std::move(before));
}

// Each click that changes the lines is one step for 撤销. A run only reads them (the text it takes
// from the text view is a step of its own), and lines changed while it runs are steps of their own.
void TForm_homa::buttonClick(int controlId) {
    const bool oneStep = controlId != ID_SpeedButton_run && controlId != ID_SpeedButton_undo &&
                         controlId != ID_SpeedButton_newjb;
    scripts::EditHistory::State before;
    if (oneStep) before = {lines->lines(), lines->currentLine()};
    switch (controlId) {
        case ID_SpeedButton_add1: SpeedButton_add1Click(); break;
        case ID_SpeedButton_add2: SpeedButton_add2Click(); break;
        case ID_SpeedButton_add3: SpeedButton_add3Click(); break;
        case ID_SpeedButton_add4: SpeedButton_add4Click(); break;
        case ID_SpeedButton_add5: SpeedButton_add5Click(); break;
        case ID_SpeedButton_del: SpeedButton_delClick(); break;
        case ID_SpeedButton_up: SpeedButton_upClick(); break;
        case ID_SpeedButton_down: SpeedButton_downClick(); break;
        case ID_SpeedButton_renew: SpeedButton_renewClick(); break;
        case ID_SpeedButton_tzlz: SpeedButton_tzlzClick(); break;
        case ID_SpeedButton_jszd: SpeedButton_jszdClick(); break;
        case ID_SpeedButton_run: SpeedButton_runClick(); break;
        case ID_SpeedButton_stopb: SpeedButton_stopbClick(); break;
        case ID_SpeedButton_pauseb: SpeedButton_pausebClick(); break;
        case ID_SpeedButton_newjb: SpeedButton_newjbClick(); break;
        case ID_SpeedButton_save: SpeedButton_saveClick(); break;
        case ID_SpeedButton_deljb: SpeedButton_deljbClick(); break;
        case ID_SpeedButton_exit: SpeedButton_exitClick(); break;
        case ID_SpeedButton_modify: SpeedButton_modifyClick(); break;
        case ID_SpeedButton_undo: SpeedButton_undoClick(); break;
        case ID_SpeedButton_text: SpeedButton_textClick(); break;
        default: break;
    }
    if (oneStep) recordStepFrom(std::move(before));
}

void TForm_homa::remind(const std::string& text) {
    platform_.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

void TForm_homa::refuse(const std::string& text, ui::Control& field) {
    remind(text);
    field.setFocus();
}

// The shown lines run once, saved or not: editrun keeps the interpreter from loading the file.
void TForm_homa::SpeedButton_runClick() {
    // The run shows the line it executes in the list.
    if (textView->isOpen()) {
        scripts::EditHistory::State before{lines->lines(), lines->currentLine()};
        const bool left = leaveTextView();
        recordStepFrom(std::move(before));
        if (!left) return;
    }
    SpeedButton_run->setEnabled(false);
    main_.editrun = true;
    // "停止" enables "运行" while the stopped run finishes its wait, so runs can nest.
    const bool outerRun = runningOwnLines_;
    runningOwnLines_ = true;
    main_.runhoma(1, main_.editname, *lines);
    runningOwnLines_ = outerRun;
    main_.editrun = false;
    SpeedButton_run->setEnabled(true);
}

void TForm_homa::SpeedButton_stopbClick() {
    main_.running = main_.runpause = false;
    SpeedButton_run->setEnabled(true);
    SpeedButton_pauseb->setText("暂停");
}

void TForm_homa::SpeedButton_pausebClick() {
    if (!main_.running) return;
    main_.runpause = !main_.runpause;
    main_.followPauses();
    SpeedButton_pauseb->setText(main_.runpause ? "继续" : "暂停");
}

}  // namespace tapmill
