// The plan window's controls, in four groups: script, time, settings and tasks. Positions are
// pixels at 96 DPI.
#include "app/Unit_main.h"
#include "app/speed_scale.h"
#include "triggers/Unit_plan.h"

namespace tapmill {

namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 300;

}  // namespace

void TForm_plan::createControls() {
    ui::WindowSpec windowSpec;
    windowSpec.className = "TForm_plan";
    windowSpec.caption = "计划任务";
    windowSpec.clientWidth = kClientWidth;
    windowSpec.clientHeight = kClientHeight;
    windowSpec.owner = main_.window->nativeHandle();
    windowSpec.defaultButtonId = ID_SpeedButton_addplan;
    window = factory_.window(windowSpec, *this);
    ui::Window& w = *window;

    // Panels draw no caption; their names only let accessibility and test tools find them.
    Panel7 = factory_.panel(w, ID_Panel7, {8, 8, 224, 88}, "Panel7");
    addCaption(*Panel7, {6, 4, 200, 14}, " 选取任务执行脚本");
    RadioButton_recjbc = factory_.radioButton(*Panel7, ID_RadioButton_recjbc, {10, 26, 90, 18}, "录制的脚本:", true);
    ComboBox_recjbc = factory_.comboBox(*Panel7, ID_ComboBox_recjbc, {102, 24, 114, 200}, true);
    RadioButton_homajbc = factory_.radioButton(*Panel7, ID_RadioButton_homajbc, {10, 56, 90, 18}, "自编的脚本:", false);
    ComboBox_homajbc = factory_.comboBox(*Panel7, ID_ComboBox_homajbc, {102, 54, 114, 200}, true);
    RadioButton_recjbc->setChecked(true);

    Panel6 = factory_.panel(w, ID_Panel6, {8, 102, 224, 58}, "Panel6");
    addCaption(*Panel6, {6, 4, 200, 14}, " 选取任务执行时间");
    DateTimePicker_datec = factory_.dateTimePicker(*Panel6, ID_DateTimePicker_datec, {10, 26, 106, 22}, ui::PickerKind::Date);
    DateTimePicker_timec = factory_.dateTimePicker(*Panel6, ID_DateTimePicker_timec, {122, 26, 94, 22}, ui::PickerKind::Time);

    Panel5 = factory_.panel(w, ID_Panel5, {8, 166, 224, 126}, "Panel5");
    addCaption(*Panel5, {6, 4, 200, 14}, " 选取任务执行设置");
    addCaption(*Panel5, {10, 28, 68, 14}, "播放次数：");
    Edit_t = factory_.edit(*Panel5, ID_Edit_t, {78, 25, 42, 20}, "1");
    CheckBox_loopc = factory_.checkBox(*Panel5, ID_CheckBox_loopc, {124, 26, 100, 18}, "无限循环播放");
    const ui::Rect speedBar{6, 50, 212, 26};
    trackbar_speed = factory_.trackBar(*Panel5, ID_trackbar_speed, speedBar, 0, 10, 5);
    for (auto& caption : speedScale(factory_, *Panel5, ID_Caption, speedBar)) captions_.push_back(std::move(caption));
    // The caption is the box's own, so a click on it ticks the box.
    CheckBox_e = factory_.checkBox(*Panel5, ID_CheckBox_e, {10, 100, 206, 18}, "每天有效(忽略年月日)");

    Panel3 = factory_.panel(w, ID_Panel3, {240, 8, 312, 248}, "Panel3");
    addCaption(*Panel3, {6, 4, 200, 14}, "任务栏");
    // Each task with when it starts and its script, so the list says what the plan will do.
    ListBox_plan = factory_.listBox(*Panel3, ID_ListBox_plan, {6, 22, 300, 124});
    addCaption(*Panel3, {6, 158, 58, 14}, "任务名： ");
    Edit_plan = factory_.edit(*Panel3, ID_Edit_plan, {64, 155, 242, 20}, "");
    SpeedButton_addplan = factory_.button(*Panel3, ID_SpeedButton_addplan, {6, 184, 96, 26}, "添加任务");
    SpeedButton_delplan = factory_.button(*Panel3, ID_SpeedButton_delplan, {110, 184, 96, 26}, "删除任务");
    Label_state = factory_.label(*Panel3, ID_Label_state, {6, 222, 300, 14}, "计划状况:未启动");

    SpeedButton_start = factory_.button(w, ID_SpeedButton_start, {340, 264, 100, 28}, "启动计划");
    SpeedButton_end = factory_.button(w, ID_SpeedButton_end, {452, 264, 100, 28}, "结束计划");
}

void TForm_plan::addCaption(ui::Control& parent, ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(parent, ID_Caption, rect, text));
}

}  // namespace tapmill
