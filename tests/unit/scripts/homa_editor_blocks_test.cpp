// The editor's building-block section: the lines its buttons insert, and what they refuse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;

using Blocks = HomaBlockInserts;

class EditorBlocksTest : public testing::EditorFixture {
protected:
    Blocks& blocks() { return *editor().blockInserts; }
};

TEST_F(EditorBlocksTest, EachButtonInsertsItsLineAboveTheChosenOneAndALoopTakesWhatFollows) {
    open();
    blocks().Edit_text->setText("你好, Tapmill!");
    press(Blocks::ID_SpeedButton_addtext);
    blocks().Edit_rnda->setText("100");
    blocks().Edit_rndb->setText("500");
    press(Blocks::ID_SpeedButton_addrnd);
    blocks().Edit_label->setText("重试");
    press(Blocks::ID_SpeedButton_addlabel);
    blocks().Edit_loop->setText("3");
    press(Blocks::ID_SpeedButton_addloop);
    // Inside the loop: the window lines, then the jump.
    blocks().Edit_win->setText("记事本");
    press(Blocks::ID_SpeedButton_addwait);
    blocks().Edit_winlimit->setText("5");
    press(Blocks::ID_SpeedButton_addact);
    blocks().Edit_winelse->setText("重试");
    press(Blocks::ID_SpeedButton_addwait);
    press(Blocks::ID_SpeedButton_addjump);
    EXPECT_THAT(shownLines(),
                ElementsAre("开始", "输入文本：你好, Tapmill!", "随机延时100到500毫秒", "标签：重试", "循环3次",
                            "等待窗口：记事本", "激活窗口：记事本，限时5秒", "等待窗口：记事本，限时5秒，否则跳到：重试",
                            "跳到：重试", "循环结束", "结束"));
    EXPECT_EQ(shownLines()[chosenLine()], "循环结束");
    EXPECT_THAT(messages(), ::testing::IsEmpty());
}

TEST_F(EditorBlocksTest, ThePointCaptureKeyFillsTheWindowLineAndItsPointsGoInAsClientPositions) {
    open();
    fp.topWindows.windows = {{7, "a.txt - 记事本", "Notepad"}};
    fp.topWindows.places[7] = {{300, 200, 400, 300}, 144};
    press(ID_SpeedButton_tzlz);
    fp.input.setCursorPos(20, 20);  // over no window: the field keeps what it holds
    form().OnWMHotKey(HK_CapturePoint);
    EXPECT_EQ(blocks().Edit_anchor->text(), "");
    fp.input.setCursorPos(310, 220);
    form().OnWMHotKey(HK_CapturePoint);
    press(Blocks::ID_SpeedButton_addanchor);
    // Below the window line the captured point goes in as its position in the window.
    editor().ComboBox_con->setSelectedIndex(0);
    press(ID_SpeedButton_add4);
    press(Blocks::ID_SpeedButton_addscreen);
    press(ID_SpeedButton_add4);
    // Without the window there is no client position to give.
    fp.topWindows.windows.clear();
    choose(2);
    press(ID_SpeedButton_add4);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "窗口：a.txt - 记事本，类：Notepad，DPI：144", "鼠标移至X=10y=20",
                                          "屏幕坐标", "鼠标移至X=310y=220", "结束"));
    EXPECT_EQ(messages().back(), "上面的“窗口：”一行所指的窗口现在找不到，无法把抓到的点换算成窗口里的位置！");
}

TEST_F(EditorBlocksTest, AnEmptySourceIsNamedAndGetsTheFocus) {
    open();
    const struct {
        int button;
        ui::Edit* emptied;
        const char* message;
    } cases[] = {
        {Blocks::ID_SpeedButton_addtext, blocks().Edit_text.get(), "要输入的文本不能为空！"},
        {Blocks::ID_SpeedButton_addrnd, blocks().Edit_rndb.get(), "随机延时的范围不能为空！"},
        {Blocks::ID_SpeedButton_addloop, blocks().Edit_loop.get(), "循环次数不能为空！"},
        {Blocks::ID_SpeedButton_addlabel, blocks().Edit_label.get(), "标签名不能为空！"},
        {Blocks::ID_SpeedButton_addjump, blocks().Edit_label.get(), "标签名不能为空！"},
        {Blocks::ID_SpeedButton_addwait, blocks().Edit_win.get(), "窗口标题不能为空！"},
        {Blocks::ID_SpeedButton_addact, blocks().Edit_win.get(), "窗口标题不能为空！"},
        {Blocks::ID_SpeedButton_addanchor, blocks().Edit_anchor.get(), "坐标窗口不能为空！可在抓点时按抓点热键填入指针下的窗口。"},
    };
    for (const auto& c : cases) {
        fp.dialogs.shown.clear();
        c.emptied->setText(" ");
        const int focusBefore = focusCount(*c.emptied);
        press(c.button);
        EXPECT_THAT(messages(), ElementsAre(c.message));
        EXPECT_EQ(focusCount(*c.emptied), focusBefore + 1) << c.message;
        c.emptied->setText("1");
    }
    // A label to go on at needs a limit that can pass.
    fp.dialogs.shown.clear();
    blocks().Edit_winlimit->setText("");
    blocks().Edit_winelse->setText("重试");
    press(Blocks::ID_SpeedButton_addwait);
    EXPECT_THAT(messages(), ElementsAre("填写超时跳到的标签时，也要填写限时！"));
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
}

TEST_F(EditorBlocksTest, TheCountFieldsTakeDigitsOnly) {
    open();
    for (int field : {Blocks::ID_Edit_rnda, Blocks::ID_Edit_rndb, Blocks::ID_Edit_loop, Blocks::ID_Edit_winlimit}) {
        ui::EventArgs typed;
        typed.key = 'x';
        editor().onControlEvent(field, ui::Event::KeyPress, typed);
        ui::EventArgs digit;
        digit.key = '7';
        editor().onControlEvent(field, ui::Event::KeyPress, digit);
        EXPECT_EQ(typed.key, 0) << field;
        EXPECT_EQ(digit.key, '7') << field;
    }
}

}  // namespace
}  // namespace tapmill
