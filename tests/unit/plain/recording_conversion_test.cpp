// "转为脚本" on the plain recording panel: the current recording becomes a script of jb_homa.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/gbk.h"
#include "plain/recording_conversion.h"
#include "scripts/Unit_homa.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

// A click at (100, 200) in frame 1, a key without a name in frame 2, the wheel in frame 3.
const std::string kRecording =
    "[0]\r\nx=100\r\ny=200\r\n[1]\r\nkp=WM_LBUTTONUP\r\nev=WM_LBUTTONDOWN WM_LBUTTONUP\r\nx=100\r\ny=200\r\n"
    "[2]\r\nkp=k12\r\nx=100\r\ny=200\r\n[3]\r\nev=WM_MOUSEWHEEL:120\r\nx=100\r\ny=200\r\n[all]\r\nvalue=4\r\n";
const char kOpenQuestion[] = "已转换为脚本，是否打开编辑？";

std::string gbkLines(const std::vector<std::string>& utf8) {
    std::string bytes;
    for (const std::string& line : utf8) bytes += *utf8ToGbk(line) + "\r\n";
    return bytes;
}

class RecordingConversionTest : public testing::FormFixture {
protected:
    TForm_maintapmill& form() { return form_ ? *form_ : *(form_ = &shownForm()); }
    // The recording "录一" read as the current one.
    void readRecording() {
        write("jb_rec/录一.ini", kRecording);
        form().ComboBox_recjbname->setText("录一");
        form().SpeedButton_readrecClick();
        fp.dialogs.shown.clear();
    }

    TForm_maintapmill* form_ = nullptr;
};

TEST_F(RecordingConversionTest, TheCurrentRecordingBecomesAScriptTheListShowsAndTheEditorOpensOnRequest) {
    readRecording();
    std::string statusSeen;
    fp.pump.after(100, [&] { statusSeen = form().Label_recstate->text(); });
    std::vector<std::string> editorShows;
    factory.modalScript = [&](ui::memory::MemoryWindow& w) {
        auto& editor = dynamic_cast<TForm_homa&>(w.events());
        editorShows = items(*editor.ListBox_homajba);
        editorShows.insert(editorShows.begin(), editor.Edit_jbname->text());
    };
    fp.dialogs.answerNext(MessageAnswer::Ok);
    fp.dialogs.answerNext(MessageAnswer::Yes);
    form().SpeedButton_toscriptClick();

    EXPECT_EQ(read("jb_homa/录一.ini"),
              gbkLines({"开始", "鼠标移至X=100y=200", "延时20毫秒", "单击鼠标左键", "延时60毫秒", "结束"}));
    EXPECT_THAT(messages(), ElementsAre("脚本无法表示以下事件，转换时已略去：\n没有键名的按键：第2帧\n鼠标滚轮：第3帧",
                                        kOpenQuestion));
    EXPECT_EQ(statusSeen, "已转换…");
    EXPECT_EQ(form().Label_recstate->text(), "");
    ASSERT_EQ(form().ListView_homa->rowCount(), 1);
    EXPECT_EQ(form().ListView_homa->cell(0, 1), "录一");
    EXPECT_THAT(editorShows, ElementsAre("录一", "开始", "鼠标移至X=100y=200", "延时20毫秒", "单击鼠标左键", "延时60毫秒",
                                         "结束"));
}

TEST_F(RecordingConversionTest, AnExistingScriptIsReplacedOnlyAfterTheUserAgrees) {
    readRecording();
    write("jb_homa/录一.ini", "old");
    fp.dialogs.answerNext(MessageAnswer::No);
    form().SpeedButton_toscriptClick();
    EXPECT_THAT(messages(), ElementsAre("该脚本文件已存在，是否覆盖原有的文件？"));
    EXPECT_EQ(read("jb_homa/录一.ini"), "old");

    fp.dialogs.shown.clear();
    fp.dialogs.answerNext(MessageAnswer::Yes);
    form().SpeedButton_toscriptClick();  // the editor question goes unanswered: No
    EXPECT_EQ(messages().front(), "该脚本文件已存在，是否覆盖原有的文件？");
    EXPECT_EQ(messages().back(), kOpenQuestion);
    EXPECT_NE(read("jb_homa/录一.ini"), "old");
}

TEST_F(RecordingConversionTest, NoScriptIsWrittenFromAMissingOrOverlongRecordingNorIntoAMissingFolder) {
    readRecording();
    std::filesystem::remove_all(file("jb_homa"));
    form().SpeedButton_toscriptClick();
    form().recname = "gone";
    form().SpeedButton_toscriptClick();
    write("jb_rec/long.ini", "[all]\r\nvalue=" + std::to_string(RecordingConversion::kLongestFrames + 1) + "\r\n");
    form().recname = "long";
    form().SpeedButton_toscriptClick();
    EXPECT_THAT(messages(), ElementsAre(StartsWith("保存失败，无法写入文件："), "名为：'gone'脚本文件不存在！",
                                        "名为：'long'的录制太长，无法转为脚本！"));
    EXPECT_THAT(messages()[0], EndsWith("录一.ini"));
    EXPECT_EQ(fp.dialogs.shown[2].caption, "提醒！");
    EXPECT_EQ(form().Label_recstate->text(), "");
    EXPECT_FALSE(exists("jb_homa/gone.ini"));
    EXPECT_FALSE(exists("jb_homa/long.ini"));
}

TEST(LeftOutMessageTest, NamesTenFramesOfAKindAndCountsTheRest) {
    LeftOutEvents leftOut;
    for (int32_t f = 1; f <= 12; ++f) leftOut.middleButton.push_back(f * 10);
    leftOut.rightReleases = {7};
    EXPECT_EQ(leftOutMessage(leftOut),
              "脚本无法表示以下事件，转换时已略去：\n鼠标中键：第10、20、30、40、50、60、70、80、90、100帧等，共12帧\n"
              "没有按下的鼠标右键弹起：第7帧");
}

}  // namespace
}  // namespace tapmill
