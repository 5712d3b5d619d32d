#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/factory.h"

namespace tapmill {

class TForm_maintapmill;

// The plan window "计划任务": adds and deletes the tasks of plan.ini and starts and ends the plan.
// A new one is made each time it is opened; it works on the main window's shared state.
class TForm_plan : public ui::WindowEvents {
public:
    enum ControlId : int {
        ID_Panel7 = 100,  // the script group
        ID_Panel6,        // the time group
        ID_Panel5,        // the settings group
        ID_Panel3,        // the task group
        ID_Caption,       // static captions that carry no behaviour
        ID_RadioButton_recjbc,
        ID_ComboBox_recjbc,
        ID_RadioButton_homajbc,
        ID_ComboBox_homajbc,
        ID_DateTimePicker_datec,
        ID_DateTimePicker_timec,
        ID_Edit_t,
        ID_trackbar_speed,
        ID_CheckBox_loopc,
        ID_CheckBox_e,
        ID_Edit_plan,
        ID_ListBox_plan,
        ID_Label_state,
        ID_SpeedButton_addplan,
        ID_SpeedButton_delplan,
        ID_SpeedButton_start,
        ID_SpeedButton_end,
    };

    TForm_plan(TForm_maintapmill& main, platform::Platform& platform, ui::Factory& factory);
    TForm_plan(const TForm_plan&) = delete;
    TForm_plan& operator=(const TForm_plan&) = delete;

    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::Panel> Panel7, Panel6, Panel5, Panel3;
    std::unique_ptr<ui::RadioButton> RadioButton_recjbc, RadioButton_homajbc;
    std::unique_ptr<ui::ComboBox> ComboBox_recjbc, ComboBox_homajbc;
    std::unique_ptr<ui::DateTimePicker> DateTimePicker_datec, DateTimePicker_timec;
    std::unique_ptr<ui::Edit> Edit_t;
    std::unique_ptr<ui::TrackBar> trackbar_speed;
    std::unique_ptr<ui::CheckBox> CheckBox_loopc, CheckBox_e;
    std::unique_ptr<ui::Edit> Edit_plan;
    std::unique_ptr<ui::ListBox> ListBox_plan;
    std::unique_ptr<ui::Label> Label_state;
    std::unique_ptr<ui::Button> SpeedButton_addplan, SpeedButton_delplan, SpeedButton_start, SpeedButton_end;

    void FormShow();
    void Edit_tKeyPress(char& key);
    void Edit_tChange();
    void CheckBox_loopcClick();
    void SpeedButton_addplanClick();
    void SpeedButton_delplanClick();
    void SpeedButton_startClick();
    void SpeedButton_endClick();
    // Reads the task names of plan.ini, in file order, into this window's list and the main window's.
    void refreshTaskLists();

    // ---- ui::WindowEvents ----
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) override;
    void onShow() override { FormShow(); }

private:
    // In plan_layout.cpp.
    void createControls();
    void addCaption(ui::Control& parent, ui::Rect rect, const std::string& text);

    void remind(const std::string& text);
    void showPlanState(bool running);
    std::string planPath() const;

    TForm_maintapmill& main_;
    platform::Platform& platform_;
    ui::Factory& factory_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    // The sections behind the entries of ListBox_plan as stored, so that a task whose name is no
    // GBK text, and shows damaged, is still deleted exactly.
    std::vector<std::string> sections_;
};

}  // namespace tapmill
