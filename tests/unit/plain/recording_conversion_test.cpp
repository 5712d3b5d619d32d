// "转为脚本" on the plain recording panel: the current recording becomes a script of jb_homa.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "common/gbk.h"
#include "plain/recording_conversion.h"
#include "scripts/Unit_homa.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
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
    const std::string beyondADay = std::to_string(RecordingConversion::kLongestFrames);
    write("jb_rec/long.ini", "[" + beyondADay + "]\r\nx=1\r\ny=1\r\n[all]\r\nvalue=" + beyondADay + "1\r\n");
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

TEST_F(RecordingConversionTest, ADamagedRecordingGivesTheFramesItHoldsAndOneWithoutFramesWritesNothing) {
    const std::string nothing = "名为：'坏'的录制没有可转换的帧，未写入脚本！";
    const struct {
        std::string recording, script;  // the script afterwards, over "old"
        std::vector<std::string> messages;
    } cases[] = {
        {"[0]\r\nx=5\r\ny=6\r\n[1]\r\nkp=WM_LBUTTONDOWN\r\nx=5\r\ny=6\r\n[all]\r\nvalue=4000000\r\n",
         gbkLines({"开始", "鼠标移至X=5y=6", "延时20毫秒", "按下鼠标左键", "延时20毫秒", "结束"}),
         {"该脚本文件已存在，是否覆盖原有的文件？", "名为：'坏'的录制记有4000000帧，文件中只有2帧，脚本只含这2帧！", kOpenQuestion}},
        {"[all]\r\nvalue=0\r\n", "old", {nothing}},
        {"[all]\r\nvalue=5\r\n", "old", {nothing}},
    };
    for (const auto& c : cases) {
        write("jb_rec/坏.ini", c.recording);
        write("jb_homa/坏.ini", "old");
        form().recname = "坏";
        fp.dialogs.shown.clear();
        fp.dialogs.answerNext(MessageAnswer::Yes);
        form().SpeedButton_toscriptClick();
        EXPECT_THAT(messages(), ElementsAreArray(c.messages)) << c.recording;
        EXPECT_EQ(read("jb_homa/坏.ini"), c.script) << c.recording;
    }
}

TEST_F(RecordingConversionTest, TheWindowAnswersDuringAConversionAndStopOrAChangedRecordingEndItWithoutAScript) {
    std::string minute;  // long enough for the window's messages to come between its frames
    for (int f = 0; f < 3000; ++f) minute += "[" + std::to_string(f) + "]\r\nx=" + std::to_string(f % 500) + "\r\ny=0\r\n";
    const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> cases = {
        {[this] { form().SpeedButton_stopClick(); }, {}},
        {[this] { write("jb_rec/长.ini", "[all]\r\nvalue=1\r\n"); }, {"名为：'长'的录制在转换时被改动，未写入脚本！"}},
    };
    for (const auto& [stepMeanwhile, expected] : cases) {
        const std::function<void()>& meanwhile = stepMeanwhile;
        write("jb_rec/长.ini", minute + "[all]\r\nvalue=3000\r\n");
        form().recname = "长";
        fp.dialogs.shown.clear();
        bool panelWaited = false;
        fp.pump.post([&] {
            panelWaited = !form().SpeedButton_toscript->enabled() && !form().SpeedButton_rec->enabled();
            meanwhile();
        });
        form().SpeedButton_toscriptClick();
        EXPECT_TRUE(panelWaited);
        EXPECT_THAT(messages(), ElementsAreArray(expected));
        EXPECT_FALSE(exists("jb_homa/长.ini"));
        EXPECT_TRUE(form().SpeedButton_toscript->enabled());
    }
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
