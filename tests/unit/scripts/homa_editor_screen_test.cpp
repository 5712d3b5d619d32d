// The editor's screen-wait section: "截取图片" keeps the dragged part and inserts the line that
// waits for it, and the point-capture key fills the colour line's fields.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/bmp_file.h"
#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Screen = HomaScreenInserts;

class EditorScreenTest : public testing::EditorFixture {
protected:
    Screen& section() { return *editor().screenInserts; }
    HomaBlockInserts& blocks() { return *editor().blockInserts; }
    TForm_homa& openSaved(const std::string& name) {
        script(name, {"开始", "结束"});
        open(name);
        choose(1);
        return editor();
    }
};

TEST_F(EditorScreenTest, APictureTakenIsKeptBesideTheScriptAndItsWaitGoesAboveTheChosenLine) {
    openSaved("找图");
    fp.screen.fill({100, 50, 30, 20}, 0x2040D0);
    factory.dragOnPicker = ui::Drag{{130, 70}, {100, 50}};
    press(Screen::ID_SpeedButton_shot);
    // The window's limit and label go with every waiting line.
    blocks().Edit_winlimit->setText("5");
    factory.dragOnPicker = ui::Drag{{0, 0}, {2, 2}};
    press(Screen::ID_SpeedButton_shot);

    EXPECT_THAT(shownLines(), ElementsAre("开始", "等待图片：1", "等待图片：2，限时5秒", "结束"));
    EXPECT_EQ(shownLines()[chosenLine()], "结束");
    const std::optional<platform::PixelBuffer> first = readBmp(dir_ + "/jb_homa/图片/找图/1.bmp");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pixels, std::vector<uint32_t>(600, 0x2040D0));
    // The editor stepped aside for the grab and came back with what it showed.
    EXPECT_TRUE(editor().window->visible());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(EditorScreenTest, ACancelKeepsAndInsertsNothingAndAnUnsavedScriptIsAskedToBeSavedFirst) {
    openSaved("找图");
    factory.dragOnPicker.reset();
    press(Screen::ID_SpeedButton_shot);
    // A drag that holds no pixel takes nothing either.
    factory.dragOnPicker = ui::Drag{{40, 40}, {40, 90}};
    press(Screen::ID_SpeedButton_shot);
    EXPECT_EQ(factory.pickerShown, 2);
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/jb_homa/图片"));
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));

    open();
    choose(1);
    factory.dragOnPicker = ui::Drag{{0, 0}, {9, 9}};
    press(Screen::ID_SpeedButton_shot);
    EXPECT_EQ(factory.pickerShown, 2);
    EXPECT_THAT(messages(), ElementsAre("请先保存脚本，再截取图片：图片存放在以脚本名命名的文件夹“图片\\脚本名”中。"));
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
}

TEST_F(EditorScreenTest, ThePointCaptureKeyFillsTheColourLineAndAColourThatDoesNotReadIsRefused) {
    open();
    fp.screen.fill({300, 200, 1, 1}, 0x00A0FF);
    press(ID_SpeedButton_tzlz);
    fp.dialogs.shown.clear();
    fp.input.setCursorPos(300, 200);
    form().OnWMHotKey(HK_CapturePoint);
    section().Edit_coltol->setText("16");
    press(Screen::ID_SpeedButton_addcolour);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "等待颜色：X=300y=200颜色=00A0FF，容差16", "结束"));

    section().Edit_colour->setText("00A0FG");
    press(Screen::ID_SpeedButton_addcolour);
    section().Edit_colour->setText("");
    press(Screen::ID_SpeedButton_addcolour);
    EXPECT_THAT(messages(), ElementsAre("应写成“等待颜色：X=100y=200颜色=FF8800”，颜色是6位十六进制数",
                                        "等待颜色的X、y和颜色不能为空！开始抓点后按抓点热键，即填入指针所在的点和它的颜色。"));
    EXPECT_EQ(shownLines().size(), 3u);

    // Below a window line the point is filled in as its position in that window.
    fp.topWindows.windows = {{7, "a.txt - 记事本", "Notepad"}};
    fp.topWindows.places[7] = {{250, 150, 400, 300}, 96};
    choose(1);
    section().Edit_coltol->setText("");
    form().OnWMHotKey(HK_CapturePoint);
    press(HomaBlockInserts::ID_SpeedButton_addanchor);
    form().OnWMHotKey(HK_CapturePoint);
    press(Screen::ID_SpeedButton_addcolour);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "窗口：a.txt - 记事本，类：Notepad，DPI：96", "等待颜色：X=50y=50颜色=00A0FF",
                                          "等待颜色：X=300y=200颜色=00A0FF，容差16", "结束"));
}

}  // namespace
}  // namespace tapmill
