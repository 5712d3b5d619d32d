// The main window's controls: the navigation bar, the content panels lying on one another, and
// the status bar. Positions are pixels of the 434 x 317 client area at 96 DPI.
#include "app/Unit_main.h"
#include "app/state_indicator.h"
#include "app/speed_scale.h"

namespace tapmill {

namespace {

constexpr int kClientWidth = 434;
constexpr int kClientHeight = 317;
constexpr int kNavWidth = 74;
constexpr int kStatusHeight = 19;
constexpr ui::Rect kContent{kNavWidth, 0, kClientWidth - kNavWidth, kClientHeight - kStatusHeight};
// The speed track bar of the plain and the journal panel.
constexpr ui::Rect kSpeedBar{80, 230, 200, 28};

}  // namespace

void TForm_maintapmill::createControls() {
    ui::WindowSpec windowSpec;
    windowSpec.className = "TForm_maintapmill";
    windowSpec.caption = "Tapmill V3.3";
    windowSpec.clientWidth = kClientWidth;
    windowSpec.clientHeight = kClientHeight;
    windowSpec.endsProgram = true;
    window = factory_.window(windowSpec, *this);
    ui::Window& w = *window;

    // Panels draw no caption; their names only let accessibility and test tools find them.
    RzPanel1 = factory_.panel(w, ID_RzPanel1, {0, 0, kNavWidth, kClientHeight - kStatusHeight}, "RzPanel1");
    struct Nav {
        std::unique_ptr<ui::Button>& button;
        int id;
        const char* caption;
    };
    Nav nav[] = {
        {SpeedButton_mrec, ID_SpeedButton_mrec, "录制按键"},
        {button_strec, ID_button_strec, "录制按键（强化）"},
        {Speedbutton_homa, ID_Speedbutton_homa, "自编按键"},
        {Speedbutton_time, ID_Speedbutton_time, "定时设置"},
        {Speedbutton_set, ID_Speedbutton_set, "按键选项"},
        {Speedbutton_help, ID_Speedbutton_help, "帮助"},
        {Speedbutton_author, ID_Speedbutton_author, "作者"},
    };
    int y = 2;
    for (Nav& n : nav) {
        n.button = factory_.button(*RzPanel1, n.id, {2, y, kNavWidth - 4, 40}, n.caption, ui::ButtonStyle::Navigation);
        y += 42;
    }

    Panel_statusbar =
        factory_.panel(w, ID_Panel_statusbar, {0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight}, "");
    StatusBar = factory_.statusBar(*Panel_statusbar, ID_StatusBar, {0, 0, kClientWidth, kStatusHeight}, {180, 120, 134});
    StatusBar->setPanelText(0, "当前状态：");
    StatusBar->setPanelText(1, "定时设置：未启动");
    StatusBar->setPanelText(2, "计划任务：");

    // Panels draw no caption; their names only let accessibility and test tools find them.
    Panel_rec = factory_.panel(w, ID_Panel_rec, kContent, "Panel_rec");
    Panel_homa = factory_.panel(w, ID_Panel_homa, kContent, "Panel_homa");
    Panel_time = factory_.panel(w, ID_Panel_time, kContent, "Panel_time");
    Panel_set = factory_.panel(w, ID_Panel_set, kContent, "Panel_set");
    Panel_help = factory_.panel(w, ID_Panel_help, kContent, "Panel_help");
    Panel_author = factory_.panel(w, ID_Panel_author, kContent, "Panel_author");
    Panel_strec = factory_.panel(w, ID_Panel_strec, kContent, "Panel_strec");
    panel_logo = factory_.panel(w, ID_panel_logo, kContent, "panel_logo");

    createRecPanel();
    createJournalPanel();
    createTimePanel();
    createOptionsPanel();
    createOtherPanels();

    // At start the journal panel lies in front of the plain-recording panel; the rest are hidden.
    for (ui::Panel* p : {Panel_homa.get(), Panel_time.get(), Panel_set.get(), Panel_help.get(), Panel_author.get(),
                         panel_logo.get()})
        p->setVisible(false);
    Panel_rec->setVisible(true);
    Panel_strec->setVisible(true);
    Panel_strec->bringToFront();

    Timer_flash = factory_.timer(w, ID_Timer_flash, 200);
    Timer_systime = factory_.timer(w, ID_Timer_systime, 500);
}

void TForm_maintapmill::addCaption(ui::Control& parent, ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(parent, ID_Header, rect, text));
}

void TForm_maintapmill::addSpeedScale(ui::Control& parent, ui::Rect trackBar) {
    for (auto& caption : speedScale(factory_, parent, ID_Header, trackBar)) captions_.push_back(std::move(caption));
}

void TForm_maintapmill::createRecPanel() {
    ui::Panel& p = *Panel_rec;
    addCaption(p, {8, 6, 200, 14}, "脚本信息");
    SpeedButton_toscript = factory_.button(p, ID_SpeedButton_toscript, {268, 2, 76, 24}, "转为脚本");
    addCaption(p, {16, 28, 64, 14}, "当前脚本:");
    Label_recjbname = factory_.label(p, ID_Label_recjbname, {82, 28, 96, 14}, "jb_rec");
    addCaption(p, {16, 48, 64, 14}, "录制帧数:");
    Label_recfra = factory_.label(p, ID_Label_recfra, {82, 48, 90, 14}, "0");
    addCaption(p, {182, 48, 64, 14}, "播放帧数:");
    Label_playfra = factory_.label(p, ID_Label_playfra, {248, 48, 100, 14}, "0");
    ComboBox_recjbname = factory_.comboBox(p, ID_ComboBox_recjbname, {16, 70, 160, 200}, true);
    addCaption(p, {182, 28, 64, 14}, "信息状况:");
    Label_recstate = factory_.label(p, ID_Label_recstate, {248, 28, 100, 14}, "");
    SpeedButton_readrec = factory_.button(p, ID_SpeedButton_readrec, {184, 69, 76, 24}, "读取脚本");
    SpeedButton_delrec = factory_.button(p, ID_SpeedButton_delrec, {268, 69, 76, 24}, "删除");
    Edit_recjbname = factory_.edit(p, ID_Edit_recjbname, {16, 101, 160, 22}, "");
    SpeedButton_saverec = factory_.button(p, ID_SpeedButton_saverec, {184, 100, 76, 24}, "保存脚本");
    SpeedButton_rename = factory_.button(p, ID_SpeedButton_rename, {268, 100, 76, 24}, "改名");

    SpeedButton_rec = factory_.button(p, ID_SpeedButton_rec, {16, 136, 76, 26}, "录制");
    SpeedButton_stop = factory_.button(p, ID_SpeedButton_stop, {100, 136, 76, 26}, "结束");
    SpeedButton_play = factory_.button(p, ID_SpeedButton_play, {184, 136, 76, 26}, "播放");
    SpeedButton_pause = factory_.button(p, ID_SpeedButton_pause, {268, 136, 76, 26}, "暂停");

    addCaption(p, {8, 176, 200, 14}, "播放设置");
    addCaption(p, {16, 202, 68, 14}, "播放次数：");
    Edit_playt = factory_.edit(p, ID_Edit_playt, {84, 199, 60, 20}, "1");
    CheckBox_loop = factory_.checkBox(p, ID_CheckBox_loop, {160, 200, 130, 18}, "无限循环播放");
    addCaption(p, {16, 236, 68, 14}, "播放速度：");
    RzTrackBar_speed = factory_.trackBar(p, ID_RzTrackBar_speed, kSpeedBar, 0, 10, 5);
    addSpeedScale(p, kSpeedBar);
    windowFollowing_ = std::make_unique<WindowFollowChoice>(factory_, p, ID_CheckBox_follow, ui::Rect{268, 174, 84, 18});
}

void TForm_maintapmill::createJournalPanel() {
    ui::Panel& p = *Panel_strec;
    addCaption(p, {8, 6, 200, 14}, "脚本信息(强化)");
    addCaption(p, {16, 28, 64, 14}, "当前脚本:");
    Label_stjbname = factory_.label(p, ID_Label_stjbname, {82, 28, 96, 14}, "stjb");
    addCaption(p, {16, 48, 64, 14}, "录制帧数:");
    label_stfra = factory_.label(p, ID_label_stfra, {82, 48, 90, 14}, "");
    addCaption(p, {182, 28, 64, 14}, "信息状况:");
    label_ststate = factory_.label(p, ID_label_ststate, {248, 28, 100, 14}, "");
    addCaption(p, {182, 48, 64, 14}, "播放帧数:");
    Label_strec = factory_.label(p, ID_Label_strec, {248, 48, 100, 14}, "暂不显示");
    ComboBox_stjb = factory_.comboBox(p, ID_ComboBox_stjb, {16, 70, 160, 200}, true);
    SpeedButton_readst = factory_.button(p, ID_SpeedButton_readst, {184, 69, 76, 24}, "读取脚本");
    SpeedButton_delst = factory_.button(p, ID_SpeedButton_delst, {268, 69, 76, 24}, "删除");
    Edit_stjbname = factory_.edit(p, ID_Edit_stjbname, {16, 101, 160, 22}, "");
    SpeedButton1 = factory_.button(p, ID_SpeedButton1, {184, 100, 76, 24}, "保存脚本");
    SpeedButton_strename = factory_.button(p, ID_SpeedButton_strename, {268, 100, 76, 24}, "改名");

    RzBitBtn_strec = factory_.button(p, ID_RzBitBtn_strec, {16, 136, 76, 26}, "录制");
    RzBitBtn_ststop = factory_.button(p, ID_RzBitBtn_ststop, {100, 136, 76, 26}, "结束");
    RzBitBtn_stplay = factory_.button(p, ID_RzBitBtn_stplay, {184, 136, 76, 26}, "播放");
    Speedbutton_stpause = factory_.button(p, ID_Speedbutton_stpause, {268, 136, 76, 26}, "暂停");

    addCaption(p, {8, 176, 200, 14}, "播放设置(强化)");
    addCaption(p, {16, 202, 68, 14}, "播放次数：");
    Edit_stt = factory_.edit(p, ID_Edit_stt, {84, 199, 60, 20}, "1");
    RzCheckBox_loop = factory_.checkBox(p, ID_RzCheckBox_loop, {160, 200, 130, 18}, "无限循环播放");
    addCaption(p, {16, 236, 68, 14}, "播放速度：");
    RzTrackBar_st = factory_.trackBar(p, ID_RzTrackBar_st, kSpeedBar, 0, 10, 5);
    addSpeedScale(p, kSpeedBar);
    // The journal's hot keys, as they are set (showControlKeys).
    Label_stkeys = factory_.label(p, ID_Header, {8, 278, 344, 14}, "");
}

void TForm_maintapmill::createOptionsPanel() {
    ui::Panel& p = *Panel_set;
    addCaption(p, {8, 6, 200, 14}, "按键选项");
    CheckBox_lzsy = factory_.checkBox(p, ID_CheckBox_lzsy, {24, 36, 200, 18}, "录制时托盘闪烁");
    CheckBox_bfsy = factory_.checkBox(p, ID_CheckBox_bfsy, {24, 62, 200, 18}, "播放时托盘闪烁");
    CheckBox_autorun = factory_.checkBox(p, ID_CheckBox_autorun, {24, 88, 200, 18}, "程序启动时自动运行");
    Speedbutton_saveset = factory_.button(p, ID_Speedbutton_saveset, {24, 130, 90, 26}, "保存设置");
    Speedbutton_reacq = factory_.button(p, ID_Speedbutton_reacq, {124, 130, 90, 26}, "恢复默认");
    RzBitBtn2 = factory_.button(p, ID_RzBitBtn2, {224, 130, 90, 26}, "热键设置");
    stateIndicator_ = std::make_unique<StateIndicator>(factory_, p, ID_Header);
    createControlKeySection();
}

void TForm_maintapmill::createOtherPanels() {
    createHomaPanel();
    createHelpAndAuthorPanels();
}

}  // namespace tapmill
