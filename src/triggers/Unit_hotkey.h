#pragma once
#include <memory>
#include <string>
#include <vector>

#include "capture/capture_fields.h"
#include "platform/platform.h"
#include "triggers/hotkey_table.h"
#include "ui/factory.h"

namespace tapmill {

class TForm_maintapmill;

// The hot-key window: it captures a single key or a modifier plus key into its two key fields,
// checks an entry and adds it to the user's hot-key table (TForm_maintapmill::userHotKeys), lists
// the table, deletes an entry and switches one on and off. Built afresh by "热键设置", shown
// modally, freed at close.
class TForm_hotkey : public ui::WindowEvents {
public:
    // From 100: the dialog keys send IDOK (1) and IDCANCEL (2) with the control of that id, if any.
    enum ControlId : int {
        ID_Header = 100,
        ID_RzRadioButton_sk,
        ID_Edit_hot,
        ID_RzRadioButton_kc,
        ID_ComboBox_KC,
        ID_Edit_kc,
        ID_ComboBox_kind,
        ID_RadioButton_recjb,
        ID_ComboBox_recjb,
        ID_RadioButton_homajb,
        ID_ComboBox_homajb,
        ID_Edit_playta,
        ID_CheckBox_loopa,
        ID_ListView_homa,
        ID_Speedbutton_sutime,
        ID_Speedbutton_cancel,
        ID_Speedbutton_plan,
        ID_RzBitBtn1,
    };

    TForm_hotkey(TForm_maintapmill& main, platform::Platform& platform, ui::Factory& factory);
    ~TForm_hotkey() override;
    TForm_hotkey(const TForm_hotkey&) = delete;
    TForm_hotkey& operator=(const TForm_hotkey&) = delete;

    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::RadioButton> RzRadioButton_sk, RzRadioButton_kc, RadioButton_recjb, RadioButton_homajb;
    std::unique_ptr<ui::Edit> Edit_hot, Edit_kc, Edit_playta;
    std::unique_ptr<ui::ComboBox> ComboBox_KC, ComboBox_kind, ComboBox_recjb, ComboBox_homajb;
    std::unique_ptr<ui::CheckBox> CheckBox_loopa;
    std::unique_ptr<ui::ListView> ListView_homa;
    std::unique_ptr<ui::Button> Speedbutton_sutime, Speedbutton_cancel, Speedbutton_plan, RzBitBtn1;

    void FormShow();
    void FormClose();
    void Edit_hotEnter();
    void Edit_hotExit();
    void Edit_kcEnter();
    void Edit_kcExit();
    void CheckBox_loopaClick();
    void Edit_playtaKeyPress(char& key);
    void Edit_playtaChange();
    void Speedbutton_sutimeClick();
    void Speedbutton_cancelClick();
    void RzBitBtn1Click();
    void Speedbutton_planClick();

    // ---- ui::WindowEvents ----
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) override;
    void onShow() override { FormShow(); }
    void onClose() override { FormClose(); }

private:
    void createControls();
    void capture(bool& flag, bool& capturing, bool on);
    void remind(const std::string& text);
    // The entry the window's fields describe.
    HotKeyEntry typedEntry() const;
    // Fills the table from the user's entries and chooses the row given (-1 none).
    void listEntries(int chosen);

    TForm_maintapmill& main_;
    platform::Platform& platform_;
    ui::Factory& factory_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    std::unique_ptr<CaptureFieldLoan<ui::TextControl>> hotLoan_, kcLoan_;
    bool capturingHot_ = false, capturingKc_ = false;
};

}  // namespace tapmill
