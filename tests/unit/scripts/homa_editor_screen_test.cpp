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

TEST_F(EditorScreenTest, TheMoveToTheFoundPlaceGoesInWithTheOffsetGiven) {
    const struct {
        const char* dx;
        const char* dy;
        const char* line;  // nothing: refused
    } cases[] = {
        {"", "", "移到找到的位置"},
        {"5", "", "移到找到的位置，偏移X=5y=0"},
        {" -3", "4 ", "移到找到的位置，偏移X=-3y=4"},
        {"a", "1", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dx) + "," + c.dy);
        fp.dialogs.shown.clear();
        openSaved("移动");
        section().Edit_foundx->setText(c.dx);
        section().Edit_foundy->setText(c.dy);
        press(Screen::ID_SpeedButton_addfound);
        if (c.line) {
            EXPECT_THAT(shownLines(), ElementsAre("开始", c.line, "结束"));
            EXPECT_THAT(messages(), IsEmpty());
        } else {
            EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
            EXPECT_THAT(messages(), ElementsAre("偏移应写成“，偏移X=10y=-5”，是整数"));
        }
    }
}

// "测试" of a colour: the chosen colour line, else the fields, against what the point shows now.
TEST_F(EditorScreenTest, TheTestOfAColourTellsWhatThePointShowsAndWhatTheToleranceMakesOfIt) {
    const struct {
        const char* chosenLine;  // the line chosen in the list; "结束": the fields are tried
        const char* colour;
        const char* tolerance;
        const char* told;
    } cases[] = {
        {"结束", "00A0FF", "", "屏幕上X=300y=200的颜色现在是00A0FF，与要等的00A0FF最多相差0，容差为0：现在就能等到。"},
        {"结束", "00A0F0", "", "屏幕上X=300y=200的颜色现在是00A0FF，与要等的00A0F0最多相差15，容差为0：现在等不到；容差至少要15才能等到。"},
        {"结束", "00a0f0", "20", "屏幕上X=300y=200的颜色现在是00A0FF，与要等的00A0F0最多相差15，容差为20：现在就能等到。"},
        {"等待颜色：X=300y=200颜色=FFFFFF，限时5秒", "", "", "屏幕上X=300y=200的颜色现在是00A0FF，与要等的FFFFFF最多相差255，容差为0：现在等不到；容差至少要255才能等到。"},
        {"结束", "", "", "请在列表中选择一行“等待颜色”或“等待图片”，或填写等待颜色的X、y和颜色，再测试。"},
    };
    fp.screen.fill({300, 200, 1, 1}, 0x00A0FF);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosenLine + std::string(" ") + c.colour);
        fp.dialogs.shown.clear();
        script("颜色", {"开始", c.chosenLine, "结束"});
        open("颜色");
        choose(1);
        section().Edit_colx->setText("300");
        section().Edit_coly->setText("200");
        section().Edit_colour->setText(c.colour);
        section().Edit_coltol->setText(c.tolerance);
        press(Screen::ID_SpeedButton_trywait);
        EXPECT_THAT(messages(), ElementsAre(c.told));
        EXPECT_EQ(shownLines().size(), 3u);
    }
}

// "测试" of a picture: where it is, how close the best place came, or that nothing is near.
TEST_F(EditorScreenTest, TheTestOfAPictureTellsWhereItIsOrHowCloseTheScreenCame) {
    platform::PixelBuffer picture{10, 10, std::vector<uint32_t>(100, 0x2040D0)};
    std::filesystem::create_directories(dir_ + "/jb_homa/图片/找图");
    ASSERT_TRUE(writeBmp(dir_ + "/jb_homa/图片/找图/1.bmp", picture));
    const struct {
        uint32_t shown;  // what the screen shows where the picture was taken
        const char* told;
    } cases[] = {
        {0x2040D0, "找到了：图片的中心在X=505y=405，最多相差0，容差为8：现在就能等到。"},
        {0x2048D0, "找到了：图片的中心在X=505y=405，最多相差8，容差为8：现在就能等到。"},
        {0x2040C0, "最接近的地方，中心在X=505y=405，最多相差16，容差为8：现在等不到；容差至少要16才能等到。"},
        {0xFFFFFF, "现在等不到：屏幕上没有和这个图片相近的地方。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        fp.dialogs.shown.clear();
        fp.screen.fill({500, 400, 10, 10}, c.shown);
        script("找图", {"开始", "等待图片：1，容差8", "结束"});
        open("找图");
        choose(1);
        press(Screen::ID_SpeedButton_trywait);
        EXPECT_THAT(messages(), ElementsAre(c.told));
        // The editor stepped aside for the look and came back.
        EXPECT_TRUE(editor().window->visible());
    }
    fp.dialogs.shown.clear();
    script("找图", {"开始", "等待图片：2", "结束"});
    open("找图");
    choose(1);
    press(Screen::ID_SpeedButton_trywait);
    EXPECT_THAT(messages(), ElementsAre("找不到图片文件，或它不是能读的BMP图片：" + dir_ + "/jb_homa\\图片\\找图\\2.bmp"));
}

TEST_F(EditorScreenTest, ASaveTellsOfPicturesThatAreNotThereBeforeARunNeedsThem) {
    platform::PixelBuffer picture{2, 2, std::vector<uint32_t>(4, 0x123456)};
    std::filesystem::create_directories(dir_ + "/jb_homa/图片/找图");
    ASSERT_TRUE(writeBmp(dir_ + "/jb_homa/图片/找图/1.bmp", picture));
    script("找图", {"开始", "等待图片：1", "等待图片：没有，限时5秒", "结束", "等待图片：之后"});
    open("找图");
    press(ID_SpeedButton_save);
    EXPECT_THAT(messages(), ElementsAre("脚本已保存。但下面这些“等待图片”行的图片不存在或不能读，脚本运行时会出错：\n第3行：" +
                                        dir_ + "/jb_homa\\图片\\找图\\没有.bmp"));
    EXPECT_EQ(fileBytes("找图"), expectedBytes({"开始", "等待图片：1", "等待图片：没有，限时5秒", "结束", "等待图片：之后"}));
}

TEST_F(EditorScreenTest, ThePageNamedIsTheOneShown) {
    open();
    HomaPages& pages = *editor().pages;
    const struct {
        int choice;
        HomaPages::Page page;
    } cases[] = {
        {HomaPages::ID_RadioButton_waits, HomaPages::Waits},
        {HomaPages::ID_RadioButton_blocks, HomaPages::Blocks},
        {HomaPages::ID_RadioButton_keys, HomaPages::Keys},
    };
    EXPECT_TRUE(pages.page(HomaPages::Keys).visible());
    for (const auto& c : cases) {
        press(c.choice);
        for (HomaPages::Page p : {HomaPages::Keys, HomaPages::Blocks, HomaPages::Waits})
            EXPECT_EQ(pages.page(p).visible(), p == c.page) << c.choice << " " << p;
    }
}

}  // namespace
}  // namespace tapmill
