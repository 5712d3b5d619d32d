// The editor's text view: typed lines go back into the list only when every line reads, and
// nothing is saved while one is faulty.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class EditorTextTest : public testing::EditorFixture {
protected:
    ui::memory::MemoryTextArea& text() { return ui::memory::as<ui::memory::MemoryTextArea>(*editor().Memo_homajba); }
    // The user's typing: every line, and a line end after each.
    void type(const std::vector<std::string>& lines) {
        std::string typed;
        for (const std::string& line : lines) typed += line + "\r\n";
        text().type(typed);
    }
};

TEST_F(EditorTextTest, TypedLinesTakeTheListsPlaceAsOneChange) {
    open();
    press(ID_SpeedButton_text);
    EXPECT_FALSE(editor().ListBox_homajba->visible());
    EXPECT_FALSE(editor().SpeedButton_add1->enabled());
    EXPECT_EQ(text().text(), "开始\r\n结束\r\n");
    // A pasted text may end its lines with a lone LF.
    text().type("开始\n延时5毫秒\r\n\r\n单击鼠标左键\n结束");
    press(ID_SpeedButton_text);
    EXPECT_TRUE(editor().ListBox_homajba->visible());
    EXPECT_TRUE(editor().SpeedButton_add1->enabled());
    EXPECT_EQ(editor().SpeedButton_text->text(), "文本编辑");
    EXPECT_THAT(shownLines(), ElementsAre("开始", "延时5毫秒", "", "单击鼠标左键", "结束"));
    press(ID_SpeedButton_undo);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
}

// A line inserted while the text view is open would go into the hidden list and be lost with it:
// every insert button is off until the list is back.
TEST_F(EditorTextTest, TheSectionsInsertButtonsAreOffWhileTheTextViewIsOpen) {
    open();
    HomaBlockInserts& blocks = *editor().blockInserts;
    HomaScreenInserts& screen = *editor().screenInserts;
    const std::vector<ui::Button*> buttons{
        blocks.SpeedButton_addtext.get(),   blocks.SpeedButton_addrnd.get(),  blocks.SpeedButton_addloop.get(),
        blocks.SpeedButton_addlabel.get(),  blocks.SpeedButton_addjump.get(), blocks.SpeedButton_addwait.get(),
        blocks.SpeedButton_addact.get(),    blocks.SpeedButton_addanchor.get(),
        blocks.SpeedButton_addscreen.get(), screen.SpeedButton_addcolour.get(), screen.SpeedButton_shot.get()};
    for (bool textView : {true, false}) {
        press(ID_SpeedButton_text);
        for (ui::Button* button : buttons) EXPECT_EQ(button->enabled(), !textView) << button->text();
    }
}

// Typed as a user with a half-width keyboard writes them, the signs are taken as the full-width
// ones the lines are written with, so the limit is a limit and not part of the title.
TEST_F(EditorTextTest, HalfWidthSignsAreTakenAsTheFullWidthOnes) {
    open();
    press(ID_SpeedButton_text);
    type({"开始", "等待窗口:Notepad,限时5秒,否则跳到:L", "等待窗口：Hello, World", "标签:L", "结束"});
    press(ID_SpeedButton_text);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "等待窗口：Notepad，限时5秒，否则跳到：L", "等待窗口：Hello, World",
                                          "标签：L", "结束"));
    EXPECT_THAT(messages(), ::testing::IsEmpty());

    // A file written elsewhere shows them so, and saving writes them so.
    script("外来", {"开始", "激活窗口：记事本,限时5秒", "结束"});
    open("外来");
    EXPECT_THAT(shownLines(), ElementsAre("开始", "激活窗口：记事本，限时5秒", "结束"));
    press(ID_SpeedButton_save);
    EXPECT_EQ(fileBytes("外来"), expectedBytes({"开始", "激活窗口：记事本，限时5秒", "结束"}));
}

struct FaultCase {
    const char* line;
    const char* reason;
};

// A script without its marks, whose lines 2 to 7 are faulty each in its own way.
TEST_F(EditorTextTest, FaultyLinesAreReportedByNumberAndNothingIsTakenOrSaved) {
    const FaultCase cases[] = {
        {"延时x毫秒", "延时的时间不是整数"},
        {"单击键盘的", "缺少键名"},
        {"单击键盘的NOKEY", "没有这个键名"},
        {"鼠标移至X=1", "坐标不是整数"},
        {"单击鼠标做键", "不是脚本命令"},
        {"输入😀", "含有脚本文件无法保存的字符"},
    };
    std::vector<std::string> lines{"单击鼠标左键"};
    for (const FaultCase& c : cases) lines.push_back(c.line);
    lines.push_back("");
    open("新");
    editor().Edit_jbname->setText("新");
    press(ID_SpeedButton_text);
    type(lines);
    press(ID_SpeedButton_text);
    press(ID_SpeedButton_save);

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_THAT(messages()[1], HasSubstr("第1行：脚本的第一行须为“开始”"));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_THAT(messages()[1], HasSubstr("第" + std::to_string(i + 2) + "行：" + cases[i].reason));
    EXPECT_THAT(messages()[1], HasSubstr("第9行：缺少“结束”"));
    EXPECT_EQ(text().selectedLine(), 0);
    EXPECT_TRUE(editor().Memo_homajba->visible());
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
    EXPECT_FALSE(scriptExists("新"));
}

// The building-block lines are checked as a run checks them: each one's operands, then the loops
// and jumps of the whole script.
TEST_F(EditorTextTest, LoopsAndJumpsAreCheckedAsARunChecksThem) {
    const struct {
        std::vector<std::string> lines;
        const char* fault;
    } cases[] = {
        {{"开始", "循环x次", "循环结束", "结束"}, "第2行："},
        {{"开始", "循环2次", "单击鼠标左键", "结束"}, "第2行：这个“循环”没有对应的“循环结束”"},
        {{"开始", "跳到：没有", "结束"}, "第2行：脚本里没有这个标签"},
    };
    for (const auto& c : cases) {
        open();
        press(ID_SpeedButton_text);
        type(c.lines);
        press(ID_SpeedButton_text);
        ASSERT_FALSE(messages().empty());
        EXPECT_THAT(messages().back(), HasSubstr(c.fault)) << c.lines[1];
        EXPECT_TRUE(editor().Memo_homajba->visible());
    }
    open();
    press(ID_SpeedButton_text);
    type({"开始", "标签：甲", "循环2次", "单击鼠标左键", "循环结束", "跳到：甲", "结束"});
    press(ID_SpeedButton_text);
    EXPECT_EQ(shownLines().size(), 7u);
}

}  // namespace
}  // namespace tapmill
