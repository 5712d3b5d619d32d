// The help panel, with its short help and the help file, and the author panel.
#include "app/Unit_main.h"
#include "app/about.h"
#include "app/control_key_text.h"

namespace tapmill {

namespace {

constexpr size_t kFirstControlKeyLine = 6;

}  // namespace

// The documented set is shown in the help's own words; a set of the user's names every key. The
// journal panel names its own four.
void TForm_maintapmill::showControlKeys() {
    std::vector<std::string> lines = Memo1->lines();
    if (controlKeys.allDefault()) {
        lines[kFirstControlKeyLine] = "录制=Ctrl+W，停止=Ctrl+Q，播放=Ctrl+Z，暂停=F9";
        lines[kFirstControlKeyLine + 1] = "运行=Ctrl+E，抓点=Ctril+1。";
    } else {
        const ControlKeys& k = controlKeys;
        lines[kFirstControlKeyLine] = "录制=" + controlKeyText(k, HK_Record) + "，停止=" + controlKeyText(k, HK_Stop) +
                                      "，播放=" + controlKeyText(k, HK_Play) + "，暂停=" + controlKeyText(k, HK_Pause);
        lines[kFirstControlKeyLine + 1] = "运行=" + controlKeyText(k, HK_Run) + "，抓点=" + controlKeyText(k, HK_CapturePoint) + "。";
    }
    Memo1->setLines(lines);
    const ControlKeys& keys = controlKeys;
    Label_stkeys->setText("热键：录制 " + controlKeyText(keys, HK_JournalRecord) + "　结束 " + controlKeyText(keys, HK_JournalStop) + "　播放 " +
                          controlKeyText(keys, HK_JournalPlay) + "　暂停 " + controlKeyText(keys, HK_JournalPause));
}

void TForm_maintapmill::createHelpAndAuthorPanels() {
    addCaption(*Panel_help, {8, 6, 200, 14}, "帮助");
    Memo1 = factory_.memo(*Panel_help, ID_Memo1, {8, 26, 344, 230});
    Memo1->setLines({
        "简介：",
        "1、[录制按键]可以录制鼠标事件及常用的键盘单击事件。",
        "2、[自编按键]可以自编鼠标和键盘事件（包括组合键）。",
        "3、[定时设置]可以按定时、按计划播放运行脚本。",
        "",
        "控制热键：",
        "",
        "",
        "这些热键在所有程序中都归Tapmill使用，其他程序里相同的快捷键（如Ctrl+Z撤销）会失去作用；可在[按键选项]中更改。",
        "[录制按键（强化）]的播放随时可按Ctrl+Esc停止。",
        "",
        "更新情况：",
        "1、加入了暂停键，可对录制播放时行暂停。",
        "2、加入了计划任务，可以按计划播放多个脚本。",
        "3、改进了自编脚本的环境，使自编脚本更方便。",
        "",
        "更详细的使用说明请看主页上的帮助页面，",
        "或软件文件夹中的帮助文件。",
        about::kHomepage,
    });
    showControlKeys();
    RzBitBtn1 = factory_.button(*Panel_help, ID_RzBitBtn1, {232, 264, 120, 26}, "Tapmill帮助文档");

    ui::Panel& a = *Panel_author;
    addCaption(a, {8, 6, 200, 14}, "作者.");
    addCaption(a, {24, 36, 300, 16}, std::string("作者：") + about::kMakerName);
    addCaption(a, {24, 60, 300, 16}, about::kContact);
    addCaption(a, {24, 84, 40, 16}, "主页：");
    Label34 = factory_.link(a, ID_Label34, {64, 84, 260, 16}, about::kHomepage);
    addCaption(a, {24, 108, 300, 16}, std::string("工作室：") + about::kStudio);
    addCaption(a, {24, 132, 300, 16}, about::kReleaseDate);
    addCaption(a, {24, 168, 336, 16}, "在软件使用上的疑问或对本软件改进上的意见欢迎在主页");
    addCaption(a, {24, 186, 336, 16}, "上的留言本中提出，谢谢您的使用！");
}

void TForm_maintapmill::RzBitBtn1Click() { platform_.shell.open(exedir + about::kHelpFile); }

void TForm_maintapmill::Label34Click() { platform_.shell.open(about::kHomepage); }

}  // namespace tapmill
