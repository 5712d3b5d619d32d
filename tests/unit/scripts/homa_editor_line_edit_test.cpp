// Deleting and moving lines in the editor, with the start and end marks protected by their text,
// and the reset of the list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;

const char* const kCannotDelete = "不能删除原有的'开始'或'结束'符号！";
const char* const kCannotMove = "不能移动原有的'开始'或'结束'符号！";

class EditorLineEditTest : public testing::EditorFixture {
protected:
    void openLines(const std::vector<std::string>& lines) {
        script("s", lines);
        open("s");
    }
};

TEST_F(EditorLineEditTest, DeleteKeepsEveryEndMarkAndTheTopStartMark) {
    openLines({"开始", "a", "b", "c", "结束", "开始", "结束"});
    for (int line : {0, 4, 6}) {
        choose(line);
        press(ID_SpeedButton_del);
    }
    EXPECT_EQ(messages(), std::vector<std::string>(3, kCannotDelete));

    // Each press takes the line that moved into the deleted line's place: three presses remove
    // three consecutive lines, and the fourth stops at the end mark.
    choose(1);
    for (int n = 0; n < 4; ++n) press(ID_SpeedButton_del);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束", "开始", "结束"));
    EXPECT_EQ(chosenLine(), 1);
    EXPECT_EQ(messages().size(), 4u);
}

TEST_F(EditorLineEditTest, UpAndDownStopAtTheMarks) {
    openLines({"开始", "a", "b", "c", "结束"});
    for (int line : {0, 1, 4}) {
        choose(line);
        press(ID_SpeedButton_up);
    }
    for (int line : {0, 3, 4}) {
        choose(line);
        press(ID_SpeedButton_down);
    }
    EXPECT_EQ(messages(), std::vector<std::string>(6, kCannotMove));
    EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "b", "c", "结束"));

    choose(3);
    press(ID_SpeedButton_up);
    press(ID_SpeedButton_up);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "c", "a", "b", "结束"));
    EXPECT_EQ(chosenLine(), 1);
    press(ID_SpeedButton_down);
    press(ID_SpeedButton_down);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "b", "c", "结束"));
    EXPECT_EQ(chosenLine(), 3);
    EXPECT_FALSE(editor().lines->highlighted(2));
    EXPECT_EQ(messages().size(), 6u);
}

TEST_F(EditorLineEditTest, WithoutAChosenLineOrAnEndMarkNothingMoves) {
    openLines({"开始", "a", "b"});
    press(ID_SpeedButton_del);
    press(ID_SpeedButton_up);
    press(ID_SpeedButton_down);
    EXPECT_THAT(messages(), ElementsAre("请先选择要删除的行！", "请先选择要移动的行！", "请先选择要移动的行！"));
    // A script edited by hand without an end mark has nothing below its last line.
    choose(2);
    press(ID_SpeedButton_down);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "a", "b"));
    EXPECT_EQ(messages().size(), 3u);
}

TEST_F(EditorLineEditTest, ResetLeavesTheNameAndTheFileAlone) {
    openLines({"开始", "a", "结束"});
    choose(1);
    press(ID_SpeedButton_renew);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
    EXPECT_EQ(chosenLine(), -1);
    EXPECT_EQ(editor().Edit_jbname->text(), "s");
    EXPECT_EQ(form().editname, "s");
    EXPECT_EQ(fileBytes("s"), expectedBytes({"开始", "a", "结束"}));
}

}  // namespace
}  // namespace tapmill
