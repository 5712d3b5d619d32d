// Changing lines in place, undoing changes, Ctrl+Z taken from the play key while the editor has
// the focus, and several lines deleted and moved at once.
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

const char* const kNotFromFields = "这一行不是右侧各栏所能写出的命令，请在“文本编辑”中修改！";

class EditorChangeTest : public testing::EditorFixture {
protected:
    void openLines(const std::vector<std::string>& lines) {
        script("s", lines);
        open("s");
    }
    void doubleClick(int line) {
        choose(line);
        send(ID_ListBox_homajba, ui::Event::DoubleClick);
    }
    // A click on the first line and Shift or Ctrl held on the others.
    void chooseSeveral(const std::vector<int>& lines) {
        ui::ListBox& box = *editor().ListBox_homajba;
        box.setSelectedIndex(lines.front());
        for (int line : lines) box.setHighlighted(line, true);
        box.setFocusIndex(lines.back());
        send(ID_ListBox_homajba, ui::Event::Select);
    }
    bool playKeyRegistered() const {
        return fp.hotkeys.active.count(HK_Play) > 0 && fp.hotkeys.active.at(HK_Play).virtualKey == 'Z';
    }
};

struct InPlaceCase {
    const char* line;
    std::function<void(TForm_homa&)> changeFields;
    const char* changed;
};

TEST_F(EditorChangeTest, ADoubleClickedLineIsRebuiltInPlaceFromTheFieldsOfItsKind) {
    const InPlaceCase cases[] = {
        {"延时1000毫秒", [](TForm_homa& e) { e.Edit_delay->setText("250"); }, "延时250毫秒"},
        {"延时3秒", [](TForm_homa& e) { e.ComboBox_s->setSelectedIndex(0); }, "延时3毫秒"},
        {"按下键盘的F5", [](TForm_homa& e) { e.ComboBox_kbstate->setSelectedIndex(2); }, "弹起键盘的F5"},
        {"单击鼠标右键", [](TForm_homa& e) { e.ComboBox_mou->setSelectedIndex(1); }, "双击鼠标左键"},
        {"鼠标移至X=10y=20", [](TForm_homa& e) { e.Edit_x->setText("30"); }, "鼠标移至X=30y=20"},
    };
    for (const InPlaceCase& c : cases) {
        SCOPED_TRACE(c.line);
        openLines({"开始", "单击鼠标左键", c.line, "结束"});
        press(HomaPages::ID_RadioButton_blocks);
        doubleClick(2);
        EXPECT_TRUE(editor().pages->page(HomaPages::Keys).visible());
        c.changeFields(editor());
        press(ID_SpeedButton_modify);
        EXPECT_THAT(shownLines(), ElementsAre("开始", "单击鼠标左键", c.changed, "结束"));
        EXPECT_EQ(chosenLine(), 2);
    }
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(EditorChangeTest, MarksOtherTextsAndEmptyFieldsLeaveTheLineAsItWas) {
    const std::vector<std::string> lines{"开始", "随手写的", "延时5毫秒", "结束"};
    openLines(lines);
    doubleClick(1);
    press(ID_SpeedButton_modify);
    choose(3);
    press(ID_SpeedButton_modify);
    doubleClick(2);
    editor().Edit_delay->setText("");
    press(ID_SpeedButton_modify);
    EXPECT_EQ(shownLines(), lines);
    EXPECT_THAT(messages(), ElementsAre(kNotFromFields, kNotFromFields, "不能修改原有的'开始'或'结束'符号！",
                                        "当选择插入延时的时候，延时的时间不能为空！"));
}

TEST_F(EditorChangeTest, UndoTakesBackOneChangeAtATimeNewestFirstButNeverIntoANewScript) {
    openLines({"开始", "a", "b", "结束"});
    choose(1);
    press(ID_SpeedButton_del);
    // A combination is three lines and one change.
    editor().Edit_kb->setText("CONTROL+S");
    press(ID_SpeedButton_add2);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "按下键盘的CONTROL", "单击键盘的S", "弹起键盘的CONTROL", "b", "结束"));

    press(ID_SpeedButton_undo);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "b", "结束"));
    press(ID_SpeedButton_undo);
    press(ID_SpeedButton_undo);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "b", "结束"));
    EXPECT_EQ(chosenLine(), 1);
    // Back as loaded, leaving asks nothing.
    EXPECT_TRUE(editor().FormCloseQuery());

    press(ID_SpeedButton_del);
    press(ID_SpeedButton_newjb);
    press(ID_SpeedButton_undo);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
    EXPECT_THAT(messages(), IsEmpty());
}

struct SectionInsertCase {
    const char* name;
    std::function<void(TForm_homa&)> fillFields;
    int button;
};

// The sections' insert buttons are steps of their own: 撤销 takes back the insert only, never the
// change made before it.
TEST_F(EditorChangeTest, EachSectionInsertIsOneStepOfItsOwn) {
    using B = HomaBlockInserts;
    const SectionInsertCase cases[] = {
        {"text", [](TForm_homa& e) { e.blockInserts->Edit_text->setText("abc"); }, B::ID_SpeedButton_addtext},
        {"random delay", [](TForm_homa&) {}, B::ID_SpeedButton_addrnd},
        {"loop", [](TForm_homa&) {}, B::ID_SpeedButton_addloop},
        {"label", [](TForm_homa& e) { e.blockInserts->Edit_label->setText("L"); }, B::ID_SpeedButton_addlabel},
        {"jump", [](TForm_homa& e) { e.blockInserts->Edit_label->setText("L"); }, B::ID_SpeedButton_addjump},
        {"wait window", [](TForm_homa& e) { e.blockInserts->Edit_win->setText("W"); }, B::ID_SpeedButton_addwait},
        {"activate window", [](TForm_homa& e) { e.blockInserts->Edit_win->setText("W"); }, B::ID_SpeedButton_addact},
        {"anchor window", [](TForm_homa& e) { e.blockInserts->Edit_anchor->setText("W"); }, B::ID_SpeedButton_addanchor},
        {"screen positions", [](TForm_homa&) {}, B::ID_SpeedButton_addscreen},
        {"colour",
         [](TForm_homa& e) {
             e.screenInserts->Edit_colx->setText("1");
             e.screenInserts->Edit_coly->setText("2");
             e.screenInserts->Edit_colour->setText("FFFFFF");
         },
         HomaScreenInserts::ID_SpeedButton_addcolour},
    };
    for (const SectionInsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        openLines({"开始", "a", "b", "结束"});
        choose(1);
        press(ID_SpeedButton_del);
        choose(2);
        c.fillFields(editor());
        press(c.button);
        ASSERT_GT(shownLines().size(), 3u);
        press(ID_SpeedButton_undo);
        EXPECT_THAT(shownLines(), ElementsAre("开始", "b", "结束"));
        press(ID_SpeedButton_undo);
        EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "b", "结束"));
    }
    EXPECT_THAT(messages(), IsEmpty());
}

// The play key is taken off only while the editor has the focus, and comes back only if it was
// registered: a key another program held (and has let go of since) stays off.
TEST_F(EditorChangeTest, CtrlZIsTheEditorsWhileItHasTheFocusAndThePlayKeyComesBackAsItWas) {
    for (bool heldElsewhere : {false, true}) {
        SCOPED_TRACE(heldElsewhere);
        fp.hotkeys.active.clear();
        if (heldElsewhere) fp.hotkeys.taken.insert({platform::kModControl, 'Z'});
        form().controlKeys.registerAll(fp.hotkeys, form().window->nativeHandle());
        fp.hotkeys.taken.clear();
        open();
        editorWindow().activate(true);
        EXPECT_FALSE(playKeyRegistered());
        editorWindow().activate(false);
        EXPECT_EQ(playKeyRegistered(), !heldElsewhere);
        editorWindow().activate(true);
        editorWindow().close();
        ASSERT_EQ(playKeyRegistered(), !heldElsewhere);
        if (!heldElsewhere) {
            EXPECT_EQ(fp.hotkeys.active.at(HK_Play).modifiers, platform::kModControl);
        }
    }
}

TEST_F(EditorChangeTest, OnlyThePlayKeyGivesCtrlZToTheEditorAndOneThatCannotComeBackIsReported) {
    const KeyChord ctrlZ{platform::kModControl, 'Z'};
    struct Case {
        const char* name;
        KeyChord play, stop;
        bool takenMeanwhile;  // another program takes Ctrl+Z while the editor has it
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"the stop moved to Ctrl+Z stays on", {platform::kModControl, 'P'}, ctrlZ, false, {}},
        {"a play key another program took meanwhile",
         ctrlZ,
         {platform::kModControl, 'Q'},
         true,
         {"热键 Ctrl+Z 已被其它程序占用，控制热键“播放”已失效！"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fp.hotkeys.active.clear();
        fp.hotkeys.taken.clear();
        form().controlKeys.set(HK_Play, c.play);
        form().controlKeys.set(HK_Stop, c.stop);
        form().controlKeys.registerAll(fp.hotkeys, form().window->nativeHandle());
        open();
        editorWindow().activate(true);
        EXPECT_TRUE(fp.hotkeys.active.count(HK_Stop));
        if (c.takenMeanwhile) {
            fp.hotkeys.taken.insert({ctrlZ.modifiers, ctrlZ.key});
        }
        editorWindow().activate(false);
        EXPECT_EQ(messages(), c.messages);
        EXPECT_EQ(fp.hotkeys.active.count(HK_Play) > 0, !c.takenMeanwhile);
        editorWindow().close();
    }
}

TEST_F(EditorChangeTest, SeveralChosenLinesAreMovedAndDeletedTogether) {
    openLines({"开始", "a", "b", "c", "d", "结束"});
    chooseSeveral({2, 3});
    press(ID_SpeedButton_up);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "b", "c", "a", "d", "结束"));
    press(ID_SpeedButton_up);
    EXPECT_THAT(messages(), ElementsAre("不能移动原有的'开始'或'结束'符号！"));
    press(ID_SpeedButton_down);
    press(ID_SpeedButton_down);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "d", "b", "c", "结束"));
    press(ID_SpeedButton_del);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "d", "结束"));
    EXPECT_EQ(chosenLine(), 3);
    EXPECT_EQ(messages().size(), 1u);
}

}  // namespace
}  // namespace tapmill
