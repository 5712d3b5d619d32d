// The building-block lines as the parser reads them: their words and their operands. The forms it
// refuses are in script_blocks_test, where the run refuses them.
#include <gtest/gtest.h>

#include <string>

#include "common/gbk.h"
#include "scripts/script_fault.h"
#include "scripts/script_flow_line.h"
#include "scripts/script_line.h"

namespace tapmill::scripts {
namespace {

std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

// What a reader that knows only the documented lines does with a line: the command it takes it
// for, or "" for a line that does nothing.
std::string documentedReading(const std::string& line) {
    for (const char* word : {"延时", "单击键盘的", "按下键盘的", "弹起键盘的", "鼠标移至"})
        if (line.rfind(gbk(word), 0) == 0) return word;
    for (const char* whole : {"开始", "结束", "单击鼠标左键", "双击鼠标左键", "单击鼠标右键", "按下鼠标左键", "弹起鼠标左键"})
        if (line == gbk(whole)) return whole;
    return "";
}

TEST(ScriptFlowLineTest, EachNewLineIsItsOwnCommandAndNoneForAReaderOfTheDocumentedLines) {
    const struct {
        const char* line;
        LineKind kind;
    } cases[] = {
        {"输入文本：你好", LineKind::TypeText},
        {"随机延时100到500毫秒", LineKind::RandomDelay},
        {"循环3次", LineKind::LoopStart},
        {"循环结束", LineKind::LoopEnd},
        {"标签：开头", LineKind::Label},
        {"跳到：开头", LineKind::Jump},
        {"等待窗口：记事本，限时5秒，否则跳到：开头", LineKind::WaitWindow},
        {"激活窗口：记事本", LineKind::ActivateWindow},
        {"等待颜色：X=1y=2颜色=FF8800，容差16，限时5秒", LineKind::WaitColour},
        {"等待图片：按钮，限时5秒，否则跳到：开头", LineKind::WaitImage},
        {"移到找到的位置，偏移X=5y=-5", LineKind::MoveToFound},
        {"窗口：a.txt - 记事本，类：Notepad，DPI：96，限时5秒，否则跳到：开头", LineKind::AnchorWindow},
        {"屏幕坐标", LineKind::ScreenPositions},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyLine(gbk(c.line)), c.kind) << c.line;
        EXPECT_EQ(documentedReading(gbk(c.line)), "") << c.line;
    }
}

TEST(ScriptFlowLineTest, OperandsAreReadAsCharactersAfterTheWord) {
    EXPECT_EQ(lineText(gbk("输入文本：你好, Tapmill! ①②")), u"你好, Tapmill! ①②");
    EXPECT_EQ(lineText(gbk("输入文本：")), u"");
    const DelayRange range = lineDelayRange(gbk("随机延时100到500毫秒"));
    EXPECT_EQ(range.from, 100);
    EXPECT_EQ(range.to, 500);
    EXPECT_EQ(lineDelayRange(gbk("随机延时 7 到 7 毫秒")).to, 7);
    EXPECT_EQ(lineLoopCount(gbk("循环0次")), 0);
    EXPECT_EQ(lineLoopCount(gbk("循环12次")), 12);
    EXPECT_EQ(lineLabel(gbk("标签： 第二步 ")), "第二步");
    EXPECT_EQ(lineJumpTarget(gbk("跳到：第二步")), "第二步");

    const struct {
        const char* line;
        const char* title;
        int limit;  // -1 for none
        const char* otherwise;
    } windows[] = {
        {"等待窗口：记事本", "记事本", -1, ""},
        {"等待窗口：无标题 - 记事本，限时5秒", "无标题 - 记事本", 5, ""},
        {"激活窗口：Tapmill，限时0秒，否则跳到：重试", "Tapmill", 0, "重试"},
        // A title may hold the separators' own characters; the last ones count.
        {"等待窗口：甲，乙，限时3秒", "甲，乙", 3, ""},
    };
    for (const auto& w : windows) {
        const WindowLine read = lineWindow(gbk(w.line));
        EXPECT_EQ(read.title, w.title) << w.line;
        EXPECT_EQ(read.end.limitSeconds.value_or(-1), w.limit) << w.line;
        EXPECT_EQ(read.end.otherwise.value_or(""), w.otherwise) << w.line;
    }
    const ColourLine colour = lineColour(gbk("等待颜色：X=-1280y=200颜色=ff8800，容差16，限时5秒，否则跳到：重试"));
    EXPECT_EQ(colour.point.x, -1280);
    EXPECT_EQ(colour.point.y, 200);
    EXPECT_EQ(colour.colour, 0xFF8800u);
    EXPECT_EQ(colour.tolerance, 16);
    EXPECT_EQ(colour.end.limitSeconds.value_or(-1), 5);
    EXPECT_EQ(colour.end.otherwise.value_or(""), "重试");
    const ImageLine image = lineImage(gbk("等待图片： 确定按钮 ，容差0"));
    EXPECT_EQ(image.name, "确定按钮");
    EXPECT_EQ(image.tolerance, 0);
    EXPECT_FALSE(image.end.limitSeconds);
    EXPECT_EQ(lineFoundOffset(gbk("移到找到的位置")).x, 0);
    EXPECT_EQ(lineFoundOffset(gbk("移到找到的位置，偏移X=-15y=4")).y, 4);
    const AnchorLine anchor = lineAnchor(gbk("窗口：a.txt - 记事本，类：Notepad，DPI：144，限时2秒，否则跳到：无"));
    EXPECT_EQ(anchor.title, "a.txt - 记事本");
    EXPECT_EQ(anchor.className, "Notepad");
    EXPECT_EQ(anchor.dpi, 144);
    EXPECT_EQ(anchor.end.limitSeconds.value_or(-1), 2);
    EXPECT_EQ(anchor.end.otherwise.value_or(""), "无");
    // Bytes after the word that are no GBK are a fault, not a guess.
    EXPECT_THROW(lineText(gbk("输入文本：") + "\x81"), ScriptLineFault);
}

}  // namespace
}  // namespace tapmill::scripts
