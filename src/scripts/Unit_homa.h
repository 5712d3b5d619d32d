#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit_main.h"
#include "capture/capture_fields.h"
#include "capture/control_key_pause.h"
#include "scripts/edit_history.h"
#include "scripts/editor_lines.h"
#include "scripts/editor_text_view.h"
#include "scripts/homa_editor_blocks.h"
#include "scripts/homa_editor_pages.h"
#include "scripts/homa_editor_screen.h"
#include "ui/factory.h"

namespace tapmill {

// Identifiers of the script editor's controls.
enum HomaEditorControlId : int {
    ID_ListBox_homajba = 800,
    ID_Edit_jbname,
    ID_Edit_delay,
    ID_ComboBox_s,
    ID_Edit_kb,
    ID_ComboBox_kbstate,
    ID_ComboBox_mou,
    ID_ComboBox_con,
    ID_Edit_x,
    ID_Edit_y,
    ID_Label_con,
    ID_SpeedButton_add1,
    ID_SpeedButton_add2,
    ID_SpeedButton_add3,
    ID_SpeedButton_add4,
    ID_SpeedButton_add5,
    ID_SpeedButton_del,
    ID_SpeedButton_up,
    ID_SpeedButton_down,
    ID_SpeedButton_renew,
    ID_SpeedButton_tzlz,
    ID_SpeedButton_jszd,
    ID_SpeedButton_run,
    ID_SpeedButton_stopb,
    ID_SpeedButton_pauseb,
    ID_SpeedButton_newjb,
    ID_SpeedButton_save,
    ID_SpeedButton_deljb,
    ID_SpeedButton_exit,
    ID_SpeedButton_modify,
    ID_SpeedButton_undo,
    ID_SpeedButton_text,
    ID_Memo_homajba,
    ID_HomaCaption,  // static captions that carry no behaviour share this id
};

// The script editor "自编脚本": composes a hand-written script from the fixed commands, captures
// key names and screen points for them, saves, renames and deletes the script's file, and runs
// the lines it shows. Built afresh for each edit and shown modally over the main window, whose
// shared state (editname, usename, editrun, running, runpause, capture_kb) it reads and writes.
class TForm_homa : public ui::WindowEvents {
public:
    TForm_homa(TForm_maintapmill& main, platform::Platform& platform, ui::Factory& factory);
    TForm_homa(const TForm_homa&) = delete;
    TForm_homa& operator=(const TForm_homa&) = delete;

    // ---- window and controls ----
    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::ListBox> ListBox_homajba;
    std::unique_ptr<ui::Edit> Edit_jbname, Edit_delay, Edit_kb, Edit_x, Edit_y;
    std::unique_ptr<ui::ComboBox> ComboBox_s, ComboBox_kbstate, ComboBox_mou, ComboBox_con;
    std::unique_ptr<ui::Label> Label_con;
    std::unique_ptr<ui::Button> SpeedButton_add1, SpeedButton_add2, SpeedButton_add3, SpeedButton_add4,
        SpeedButton_add5;
    std::unique_ptr<ui::Button> SpeedButton_del, SpeedButton_up, SpeedButton_down, SpeedButton_renew;
    std::unique_ptr<ui::Button> SpeedButton_tzlz, SpeedButton_jszd;
    std::unique_ptr<ui::Button> SpeedButton_run, SpeedButton_stopb, SpeedButton_pauseb;
    std::unique_ptr<ui::Button> SpeedButton_newjb, SpeedButton_save, SpeedButton_deljb, SpeedButton_exit;
    // 修改 (a line rebuilt from the fields), 撤销 (also Ctrl+Z), 文本编辑 (the text view and back).
    std::unique_ptr<ui::Button> SpeedButton_modify, SpeedButton_undo, SpeedButton_text;
    // The script as text, in the list's place while the text view is open.
    std::unique_ptr<ui::TextArea> Memo_homajba;
    // The script's lines behind ListBox_homajba; a run started here executes them.
    std::unique_ptr<scripts::EditorLines> lines;
    std::unique_ptr<scripts::EditorTextView> textView;
    // The pages the command sources stand on, one shown at a time.
    std::unique_ptr<HomaPages> pages;
    // The fields and buttons that insert text, random delays, loops, jumps and window lines.
    std::unique_ptr<HomaBlockInserts> blockInserts;
    // The fields and buttons that insert the waits for a colour and for a picture.
    std::unique_ptr<HomaScreenInserts> screenInserts;

    // ---- life cycle ----
    void FormShow();
    // False keeps the window open: changed lines are offered for saving first.
    bool FormCloseQuery();
    void FormClose();
    // The window gets or loses the keyboard focus: Ctrl+Z is the editor's undo only meanwhile.
    void FormActivate();
    void FormDeactivate();

    // ---- inserting lines above the current one ----
    void SpeedButton_add1Click();
    void SpeedButton_add2Click();
    void SpeedButton_add3Click();
    void SpeedButton_add4Click();
    void SpeedButton_add5Click();

    // ---- line editing ----
    void ListBox_homajbaClick();
    // Loads the line into the fields of its kind, for 修改.
    void ListBox_homajbaDblClick();
    void SpeedButton_modifyClick();
    void SpeedButton_undoClick();
    void SpeedButton_textClick();
    void SpeedButton_delClick();
    void SpeedButton_upClick();
    void SpeedButton_downClick();
    void SpeedButton_renewClick();

    // ---- key capture, point capture, typed coordinates ----
    void Edit_kbEnter();
    void Edit_kbExit();
    void SpeedButton_tzlzClick();
    void SpeedButton_jszdClick();
    // Shared by Edit_x and Edit_y: digits and backspace only.
    void Edit_xKeyPress(char& key);

    // ---- running the shown lines ----
    void SpeedButton_runClick();
    void SpeedButton_stopbClick();
    void SpeedButton_pausebClick();

    // ---- the script's file ----
    void SpeedButton_newjbClick();
    void SpeedButton_saveClick();
    void SpeedButton_deljbClick();
    void SpeedButton_exitClick();

    // ---- ui::WindowEvents ----
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) override;
    void onShow() override;
    bool onCloseQuery() override { return FormCloseQuery(); }
    void onClose() override { FormClose(); }
    void onActivate(bool active) override { active ? FormActivate() : FormDeactivate(); }

private:
    // Its buttons insert lines as the editor's own do.
    friend class HomaBlockInserts;
    friend class HomaScreenInserts;

    void createControls();
    void addCaption(ui::Control& parent, ui::Rect rect, const std::string& text);
    void buttonClick(int controlId);
    // Hands an event to a section's handler; a click is one step for 撤销.
    void sectionEvent(ui::Event event, const std::function<void()>& handle);
    // The lines before a click, kept for 撤销 when the click changed them.
    void recordStepFrom(scripts::EditHistory::State before);
    // The text view's lines, taken into the list when every one reads; false, after showing the
    // faulty ones, otherwise. The view stays open.
    bool takeTextViewLines();
    // Back to the list with the text's lines; false while one is faulty.
    bool leaveTextView();
    // Back to the list, the text dropped.
    void closeTextView();
    // Enables the controls that work on the list, which the text view stands in for.
    void enableListEditing(bool enabled);
    // Whether there are changes that leaving would lose.
    bool scriptChanged() const;
    // Moves the chosen lines one line up (-1) or down (1).
    void moveChosen(int step);
    void remind(const std::string& text);
    // Registers the play key again after the editor had Ctrl+Z, and tells the user if it cannot.
    void giveUndoKeyBack();
    // Shows the refusal and gives the field that caused it the focus.
    void refuse(const std::string& text, ui::Control& field);
    // Whether there is a line other than the start line to insert above; tells the user if not.
    bool currentPositionTakesInsertions();
    // Inserts a line (UTF-8, as the fields show it) above the current line, which stays current.
    void insertAboveCurrent(const std::string& line, ui::Control& source);
    // A captured screen point as a line inserted above the current one reads it: below a window
    // line, its position in that window where the window is now. Nothing when that window is not
    // on the screen.
    std::optional<platform::Point> pointForInsertion(platform::Point screen);
    std::string scriptFile(const std::string& name) const;
    // The folder of the pictures the script's image lines wait for.
    std::string pictureFolder(const std::string& name) const;
    void saveUnder(const std::string& newName);
    // False, after telling the user, when the file could not be written.
    bool writeLines(const std::string& name);
    // Shows the refusal of a name and hands the name field back to the user, all of it selected.
    void refuseName(const std::string& text);
    void endKeyCapture();
    // Hides the main window and this one, so the user sees the screen to point at.
    void stepAsideForPointCapture();
    void endPointCapture();
    // Runs `work` with this window out of the way, so that a grab of the screen shows what it
    // covered; it comes back as it was, unsaved lines included.
    void stepAsideWhile(const std::function<void()>& work);

    TForm_maintapmill& main_;
    platform::Platform& platform_;
    ui::Factory& factory_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    // The main window writes captured keys and points into these fields while the editor lives.
    std::unique_ptr<CaptureFieldLoan<ui::TextControl>> keyFieldLoan_;
    std::unique_ptr<CaptureFieldLoan<ui::ItemList>> pointListLoan_;
    // Held while this window is hidden for point capture.
    std::unique_ptr<CaptureFieldLoan<ui::Window>> hiddenWindowLoan_;
    bool capturingKeys_ = false;
    bool capturingPoints_ = false;
    bool steppedAside_ = false;
    bool runningOwnLines_ = false;
    // Set while 修改 has the chosen line rebuilt by its insert button: the line is replaced.
    bool replacingCurrent_ = false;
    scripts::EditHistory history_;
    // Ctrl+Z is the editor's undo while it has the focus, taken from the play key when that is it.
    static constexpr KeyChord kUndoKey{platform::kModControl, 'Z'};
    std::unique_ptr<ControlKeyPause> undoKeyPause_;
};

}  // namespace tapmill
