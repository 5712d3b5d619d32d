// The editor's show step and its five insert buttons: where lines land, what they read, and the
// refusals with the field each one hands back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class EditorInsertTest : public testing::EditorFixture {};

TEST_F(EditorInsertTest, AScriptOpensWithItsLinesAndAMissingOneAsANewScript) {
    script("演示", {"开始", "单击鼠标左键", "", "结束"});
    open("演示");
    EXPECT_THAT(shownLines(), ElementsAre("开始", "单击鼠标左键", "", "结束"));
    EXPECT_EQ(editor().Edit_jbname->text(), "演示");
    EXPECT_EQ(chosenLine(), -1);

    form().editrun = true;
    open("gone");
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
    EXPECT_EQ(editor().Edit_jbname->text(), "请输入脚本名");
    EXPECT_EQ(form().editname, "");
    EXPECT_FALSE(form().editrun);
    EXPECT_EQ(chosenLine(), 1);
    EXPECT_EQ(editor().ComboBox_s->text(), "毫秒");
    EXPECT_EQ(editor().ComboBox_kbstate->text(), "单击");
    EXPECT_FALSE(editor().Label_con->visible());

    // A file named ".ini" is no script of an empty name.
    script("", {"开始", "单击鼠标右键", "结束"});
    open("");
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
}

TEST_F(EditorInsertTest, InsertedLinesLandAboveTheChosenLineInTheOrderMade) {
    open();
    editor().Edit_delay->setText("100");
    press(ID_SpeedButton_add1);
    editor().ComboBox_mou->setSelectedIndex(0);
    press(ID_SpeedButton_add3);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "延时100毫秒", "单击鼠标左键", "结束"));
    EXPECT_EQ(chosenLine(), 3);
    EXPECT_TRUE(editor().lines->highlighted(3));
    EXPECT_FALSE(editor().lines->highlighted(2));

    choose(1);
    editor().Edit_kb->setText("CONTROL");
    editor().ComboBox_kbstate->setSelectedIndex(1);
    press(ID_SpeedButton_add2);
    editor().ComboBox_kbstate->setSelectedIndex(2);
    press(ID_SpeedButton_add2);
    editor().Edit_delay->setText("2");
    editor().ComboBox_s->setSelectedIndex(1);
    press(ID_SpeedButton_add1);
    choose(6);
    editor().ComboBox_con->addItem("X=640y=480");
    editor().ComboBox_con->setSelectedIndex(0);
    press(ID_SpeedButton_add4);
    editor().Edit_x->setText("10");
    editor().Edit_y->setText("20");
    press(ID_SpeedButton_add5);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "按下键盘的CONTROL", "弹起键盘的CONTROL", "延时2秒", "延时100毫秒",
                                          "单击鼠标左键", "鼠标移至X=640y=480", "鼠标移至X=10y=20", "结束"));
    EXPECT_EQ(chosenLine(), 8);
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(EditorInsertTest, ACapturedCombinationGoesInAsItsModifiersHeldAroundTheKey) {
    open();
    editor().Edit_kb->setText("CONTROL+SHIFT+S");
    press(ID_SpeedButton_add2);  // 单击
    editor().ComboBox_kbstate->setSelectedIndex(1);
    press(ID_SpeedButton_add2);
    editor().ComboBox_kbstate->setSelectedIndex(2);
    press(ID_SpeedButton_add2);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "按下键盘的CONTROL", "按下键盘的SHIFT", "单击键盘的S", "弹起键盘的SHIFT",
                                          "弹起键盘的CONTROL", "按下键盘的CONTROL", "按下键盘的SHIFT", "按下键盘的S",
                                          "弹起键盘的S", "弹起键盘的SHIFT", "弹起键盘的CONTROL", "结束"));
}

TEST_F(EditorInsertTest, EveryInsertButtonRefusesTheStartLineBeforeLookingAtItsSource) {
    open();
    editor().Edit_delay->setText("");
    for (int button : {ID_SpeedButton_add1, ID_SpeedButton_add2, ID_SpeedButton_add3, ID_SpeedButton_add4,
                       ID_SpeedButton_add5}) {
        choose(0);
        press(button);
        // Nothing chosen at all leaves no line to insert above either.
        editor().lines->setCurrentLine(-1);
        press(button);
    }
    EXPECT_EQ(messages(), std::vector<std::string>(10, "请选择除'开始'以外的其它项前插入脚本！"));
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
}

TEST_F(EditorInsertTest, AnEmptyOrUnsavableSourceIsNamedAndGetsTheFocus) {
    open();
    TForm_homa& e = editor();
    struct Case {
        int button;
        std::function<void()> prepare;
        std::string message;
        std::function<int()> focus;
    };
    const std::vector<Case> cases = {
        {ID_SpeedButton_add1, [&] { e.Edit_delay->setText(""); }, "当选择插入延时的时候，延时的时间不能为空！",
         [&] { return focusCount(*e.Edit_delay); }},
        {ID_SpeedButton_add2, [&] { e.Edit_kb->setText(""); }, "选择插入的键值不能为空！",
         [&] { return focusCount(*e.Edit_kb); }},
        {ID_SpeedButton_add3, [] {}, "选择插入的鼠标事件不能为空！", [&] { return focusCount(*e.ComboBox_mou); }},
        {ID_SpeedButton_add4, [&] { e.ComboBox_con->addItem("X=1y=2"); }, "抓点坐标不能为空！",
         [&] { return focusCount(*e.ComboBox_con); }},
        // Blanks count as empty, in either field; the focus goes to the x field.
        {ID_SpeedButton_add5, [&] { e.Edit_x->setText("  "); e.Edit_y->setText("5"); }, "x或y坐标不能为空！",
         [&] { return focusCount(*e.Edit_x); }},
        {ID_SpeedButton_add5, [&] { e.Edit_x->setText("5"); e.Edit_y->setText(""); }, "x或y坐标不能为空！",
         [&] { return focusCount(*e.Edit_x); }},
        // GBK has no emoji: the line could not be stored as it reads.
        {ID_SpeedButton_add1, [&] { e.Edit_delay->setText("1\xF0\x9F\x98\x80"); },
         "这一行含有脚本文件无法保存的字符，请修改后再插入！", [&] { return focusCount(*e.Edit_delay); }},
    };
    for (const Case& c : cases) {
        fp.dialogs.shown.clear();
        c.prepare();
        const int focusBefore = c.focus();
        press(c.button);
        EXPECT_THAT(messages(), ElementsAre(c.message));
        EXPECT_EQ(c.focus(), focusBefore + 1) << c.message;
    }
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
}

}  // namespace
}  // namespace tapmill
