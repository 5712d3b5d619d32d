// Panel_time: the clock, whose every new second is the tick; the one-shot timed start of a plain
// recording or a hand-written script; and the plan tasks that the tick starts while the plan runs.
#include <initializer_list>

#include "app/Unit_main.h"
#include "app/play_count_field.h"
#include "common/error.h"
#include "common/intparse.h"
#include "common/timestamp.h"
#include "triggers/Unit_plan.h"
#include "triggers/plan_check.h"
#include "triggers/plan_file.h"

namespace tapmill {

void TForm_maintapmill::createTimePanel() {
    ui::Panel& p = *Panel_time;
    // Everything but the three buttons at the bottom sits in Panel12, which is locked while armed.
    Panel12 = factory_.panel(p, ID_Panel12, {0, 0, 360, 258}, "Panel12");
    ui::Panel& s = *Panel12;
    addCaption(s, {8, 6, 200, 14}, "定时设置");
    addCaption(s, {16, 30, 100, 14}, "当前系统时间：");
    Edit_time = factory_.edit(s, ID_Edit_time, {118, 27, 150, 20}, "", ui::EditStyle::ReadOnly);
    DateTimePicker_date = factory_.dateTimePicker(s, ID_DateTimePicker_date, {16, 54, 110, 22}, ui::PickerKind::Date);
    DateTimePicker_time = factory_.dateTimePicker(s, ID_DateTimePicker_time, {134, 54, 100, 22}, ui::PickerKind::Time);

    addCaption(s, {8, 88, 200, 14}, "脚本选择");
    RadioButton_recjb = factory_.radioButton(s, ID_RadioButton_recjb, {16, 108, 96, 18}, "录制的脚本:", true);
    ComboBox_recjb = factory_.comboBox(s, ID_ComboBox_recjb, {116, 106, 160, 200}, true);
    RadioButton_homajb = factory_.radioButton(s, ID_RadioButton_homajb, {16, 136, 96, 18}, "自编的脚本:", false);
    ComboBox_homajb = factory_.comboBox(s, ID_ComboBox_homajb, {116, 134, 160, 200}, true);
    RadioButton_recjb->setChecked(true);

    addCaption(s, {8, 168, 200, 14}, "播放设置");
    addCaption(s, {16, 192, 68, 14}, "播放次数：");
    Edit_playtb = factory_.edit(s, ID_Edit_playtb, {84, 189, 60, 20}, "1");
    CheckBox_loopb = factory_.checkBox(s, ID_CheckBox_loopb, {160, 190, 130, 18}, "无限循环播放");
    addCaption(s, {16, 218, 68, 14}, "播放速度：");
    const ui::Rect speedBar{80, 212, 200, 26};
    RzTrackBar_playa = factory_.trackBar(s, ID_RzTrackBar_playa, speedBar, 0, 10, 5);
    addSpeedScale(s, speedBar);

    ListBox_plan = factory_.listBox(p, ID_ListBox_plan, {200, 30, 140, 100});
    ListBox_plan->setVisible(false);

    Speedbutton_sutime = factory_.button(p, ID_Speedbutton_sutime, {16, 264, 96, 26}, "设置定时");
    Speedbutton_cancel = factory_.button(p, ID_Speedbutton_cancel, {128, 264, 96, 26}, "取消定时");
    Speedbutton_plan = factory_.button(p, ID_Speedbutton_plan, {240, 264, 96, 26}, "计划任务");
}

void TForm_maintapmill::Timer_systimeTimer() {
    const std::string text = clockText(platform_.clock.now());
    // Only a new text makes the tick run, so it runs once per second of the clock.
    if (text != Edit_time->text()) Edit_time->setText(text);
}

void TForm_maintapmill::Edit_timeChange() {
    // The plan tasks of this second get their turn even when the timed start fails to start; its
    // failure is reported once they have run, together with theirs.
    std::string failures;
    try {
        if (timedStartDue()) fireTimedStart();
    } catch (const Error& e) {
        failures = e.what();
    }
    try {
        if (planon)
            plan::checkDueTasks(exedir + "plan.ini", *ListBox_plan, platform_.clock, planon,
                                [this](const std::string& section) { startPlanTask(section); });
    } catch (const Error& e) {
        failures += (failures.empty() ? "" : "\n") + std::string(e.what());
    }
    if (!failures.empty()) throw Error(failures);
}

namespace {

// The moment the timed start is set for, as the two pickers show it: "yyyyMMddhhmmss".
std::string timedStartTarget(const ui::DateTimePicker& datePicker, const ui::DateTimePicker& timePicker) {
    const LocalTime date = datePicker.value();
    const LocalTime time = timePicker.value();
    return timestamp14({date.year, date.month, date.day, time.hour, time.minute, time.second});
}

}  // namespace

std::string TForm_maintapmill::timedStartNote() const {
    if (!timeset) return std::string();
    const LocalTime date = DateTimePicker_date->value();
    const LocalTime time = DateTimePicker_time->value();
    return "定时启动：" + clockText({date.year, date.month, date.day, time.hour, time.minute, time.second});
}

bool TForm_maintapmill::timedStartDue() {
    return timeset && timestamp14(platform_.clock.now()) == timedStartTarget(*DateTimePicker_date, *DateTimePicker_time);
}

void TForm_maintapmill::fireTimedStart() {
    // A count that is no 32-bit number starts nothing and leaves the start armed; its second has
    // passed, so it cannot fire again.
    const int32_t count = CheckBox_loopb->checked() ? kEndlessPlayCount : parseInt32Strict(Edit_playtb->text());
    // The kind is the one chosen when it fired: should the user disarm during the run and pick the
    // other kind, that other script does not start as well once this one returns.
    if (RadioButton_recjb->checked())
        playrec(count, RzTrackBar_playa->position(), ComboBox_recjb->text());
    else if (RadioButton_homajb->checked())
        runhoma(count, ComboBox_homajb->text(), *homajbRunList);
    Speedbutton_cancelClick();
}

void TForm_maintapmill::Speedbutton_sutimeClick() {
    if ((RadioButton_recjb->checked() && ComboBox_recjb->text().empty()) ||
        (RadioButton_homajb->checked() && ComboBox_homajb->text().empty())) {
        platform_.dialogs.messageBox("请选择脚本！", platform::kRemindCaption, platform::MessageButtons::Ok);
        return;
    }
    // A second gone by would never come round to fire. The current second is still to come for
    // the tick, whose clock text may not have reached it yet; timestamps compare as text.
    if (timedStartTarget(*DateTimePicker_date, *DateTimePicker_time) < timestamp14(platform_.clock.now())) {
        platform_.dialogs.messageBox("设定的时间已经过去，请重新设置！", platform::kRemindCaption,
                                     platform::MessageButtons::Ok);
        return;
    }
    timeset = true;
    lockTimedStartSettings(true);
    setStatus(1, "定时设置：已启动");
}

void TForm_maintapmill::Speedbutton_cancelClick() {
    timeset = false;
    lockTimedStartSettings(false);
    setStatus(1, "定时设置：未启用");
}

void TForm_maintapmill::lockTimedStartSettings(bool locked) {
    Panel12->setEnabled(!locked);
    // A disabled container alone leaves its controls looking usable, and Tab still reaches them.
    for (ui::Control* c : std::initializer_list<ui::Control*>{DateTimePicker_date.get(), DateTimePicker_time.get(),
                                                             RadioButton_recjb.get(), ComboBox_recjb.get(),
                                                             RadioButton_homajb.get(), ComboBox_homajb.get(),
                                                             RzTrackBar_playa.get(), CheckBox_loopb.get()})
        c->setEnabled(!locked);
    Edit_playtb->setEnabled(!locked && !CheckBox_loopb->checked());
    Speedbutton_sutime->setEnabled(!locked);
}

void TForm_maintapmill::CheckBox_loopbClick() {
    followEndlessBox(*CheckBox_loopb, *Edit_playtb);
}

void TForm_maintapmill::Speedbutton_planClick() {
    TForm_plan plan(*this, platform_, factory_);
    plan.window->showModal();
}

void TForm_maintapmill::startPlanTask(const std::string& section) {
    const plan::TaskStart task = plan::readTaskStart(exedir + "plan.ini", section);
    // Whatever runs already ends at its next look at its flag, once this task has returned.
    recording = playing = running = false;
    if (task.plainRecording)
        playrec(task.times, task.speed, task.script);
    else
        runhoma(task.times, task.script, *homajbRunList);
}

}  // namespace tapmill
