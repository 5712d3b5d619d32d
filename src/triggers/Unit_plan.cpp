#include "triggers/Unit_plan.h"

#include <initializer_list>

#include "app/Unit_main.h"
#include "app/play_count_field.h"
#include "common/timestamp.h"
#include "triggers/plan_file.h"

namespace tapmill {

namespace {

// Empty once blanks and control characters are trimmed away.
bool isBlank(const std::string& text) {
    for (unsigned char c : text)
        if (c > ' ') return false;
    return true;
}

bool isDigits(const std::string& text) {
    for (unsigned char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// When a task starts, as the list shows it: "2004-10-28 08:30:00", or "每天 08:30:00" for a daily
// task. A "Time" that is no timestamp shows as it is stored.
std::string taskMoment(const std::string& time, bool daily) {
    if (time.size() != 14 || !isDigits(time)) return time;
    const std::string clock = time.substr(8, 2) + ":" + time.substr(10, 2) + ":" + time.substr(12, 2);
    if (daily) return "每天 " + clock;
    return time.substr(0, 4) + "-" + time.substr(4, 2) + "-" + time.substr(6, 2) + " " + clock;
}

// A task as the plan window lists it: its name, when it starts, and the script it starts with its
// kind, as the program reads them ("R" a recording, anything else a hand-written script).
std::string taskRow(const std::string& planPath, const std::string& section) {
    const std::string moment = taskMoment(plan::readTaskValue(planPath, section, "Time"),
                                          plan::readTaskValue(planPath, section, "E") == "Y");
    std::string row = plan::displayName(section) + "　" + moment;
    const std::string jbname = plan::readTaskValue(planPath, section, "jbname");
    if (jbname.size() >= 2)
        row += "　" + plan::displayName(jbname.substr(0, jbname.size() - 1)) + (jbname.back() == 'R' ? "（录制）" : "（自编）");
    return row;
}

}  // namespace

TForm_plan::TForm_plan(TForm_maintapmill& main, platform::Platform& platform, ui::Factory& factory)
    : main_(main), platform_(platform), factory_(factory) {
    createControls();
}

std::string TForm_plan::planPath() const { return main_.exedir + "plan.ini"; }

void TForm_plan::remind(const std::string& text) {
    platform_.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

void TForm_plan::FormShow() {
    main_.listjb(*ComboBox_recjbc, "jb_rec\\");
    main_.listjb(*ComboBox_homajbc, "jb_homa\\");
    const LocalTime now = platform_.clock.now();
    DateTimePicker_datec->setValue(now);
    DateTimePicker_timec->setValue(now);
    refreshTaskLists();
    // A running plan opens locked, showing that it runs.
    if (main_.planon) SpeedButton_startClick();
}

void TForm_plan::refreshTaskLists() {
    sections_ = plan::taskSections(planPath());
    ListBox_plan->clear();
    main_.ListBox_plan->clear();
    for (const std::string& section : sections_) {
        ListBox_plan->addItem(taskRow(planPath(), section));
        main_.ListBox_plan->addItem(plan::displayName(section));
    }
}

void TForm_plan::Edit_tKeyPress(char& key) { main_.Edit_playtKeyPress(*Edit_t, key); }

void TForm_plan::Edit_tChange() { main_.Edit_playtChange(*Edit_t); }

void TForm_plan::CheckBox_loopcClick() {
    followEndlessBox(*CheckBox_loopc, *Edit_t);
}

void TForm_plan::SpeedButton_addplanClick() {
    const bool plainRecording = RadioButton_recjbc->checked();
    if ((plainRecording && ComboBox_recjbc->text().empty()) ||
        (RadioButton_homajbc->checked() && ComboBox_homajbc->text().empty()))
        return remind("请选择脚本！");
    const std::string name = Edit_plan->text();
    if (isBlank(name)) return remind("任务名不能为空！");
    if (!plan::isStorableTaskName(name))
        return remind("无法以“" + name + "”为任务名：任务名不能含有“]”或控制字符，也不能含有无法保存的字符，请换一个名字！");

    const LocalTime date = DateTimePicker_datec->value();
    const LocalTime time = DateTimePicker_timec->value();
    plan::TaskEntry task;
    task.time = timestamp14({date.year, date.month, date.day, time.hour, time.minute, time.second});
    task.plainRecording = plainRecording;
    task.script = plainRecording ? ComboBox_recjbc->text() : ComboBox_homajbc->text();
    task.speed = trackbar_speed->position();
    task.times = CheckBox_loopc->checked() ? std::to_string(kEndlessPlayCount) : Edit_t->text();
    task.daily = CheckBox_e->checked();
    plan::writeTask(planPath(), *plan::sectionOf(name), task);
    refreshTaskLists();
}

void TForm_plan::SpeedButton_delplanClick() {
    const int selected = ListBox_plan->selectedIndex();
    if (selected < 0 || selected >= static_cast<int>(sections_.size()))
        return remind("请选择您要删除的脚本！");
    plan::eraseTask(planPath(), sections_[static_cast<size_t>(selected)]);
    refreshTaskLists();
}

void TForm_plan::SpeedButton_startClick() {
    plan::writePlanState(main_.exedir + "config.ini", true);
    main_.planon = true;
    showPlanState(true);
}

void TForm_plan::SpeedButton_endClick() {
    plan::writePlanState(main_.exedir + "config.ini", false);
    main_.planon = false;
    showPlanState(false);
}

void TForm_plan::showPlanState(bool running) {
    // Tasks are added and deleted only while the plan is stopped. A disabled group alone leaves its
    // controls looking usable, and Tab still reaches them.
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             Panel3.get(), ListBox_plan.get(), Edit_plan.get(), SpeedButton_addplan.get(), SpeedButton_delplan.get(),
             Panel5.get(), CheckBox_loopc.get(), trackbar_speed.get(), CheckBox_e.get(),
             Panel6.get(), DateTimePicker_datec.get(), DateTimePicker_timec.get(),
             Panel7.get(), RadioButton_recjbc.get(), ComboBox_recjbc.get(), RadioButton_homajbc.get(), ComboBox_homajbc.get()})
        c->setEnabled(!running);
    Edit_t->setEnabled(!running && !CheckBox_loopc->checked());
    Label_state->setText(running ? "计划状况:已启动" : "计划状况:未启动");
    main_.StatusBar->setPanelText(2, running ? "计划任务:已启动" : "计划任务:未启动");
    SpeedButton_start->setEnabled(!running);
}

void TForm_plan::onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) {
    const bool click = event == ui::Event::Click;
    switch (controlId) {
        case ID_Edit_t:
            if (event == ui::Event::KeyPress) Edit_tKeyPress(args.key);
            if (event == ui::Event::Change) Edit_tChange();
            break;
        case ID_CheckBox_loopc: if (click) CheckBox_loopcClick(); break;
        case ID_SpeedButton_addplan: if (click) SpeedButton_addplanClick(); break;
        case ID_SpeedButton_delplan: if (click) SpeedButton_delplanClick(); break;
        case ID_SpeedButton_start: if (click) SpeedButton_startClick(); break;
        case ID_SpeedButton_end: if (click) SpeedButton_endClick(); break;
        default: break;
    }
}

}  // namespace tapmill
