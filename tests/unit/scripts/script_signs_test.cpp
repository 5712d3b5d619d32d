// Half-width signs typed where a line's full-width signs belong: made full-width, and named when a
// line holds one.
#include <gtest/gtest.h>

#include <string>

#include "common/gbk.h"
#include "scripts/script_signs.h"

namespace tapmill::scripts {
namespace {

std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

TEST(ScriptSignsTest, HalfWidthSignsInASignsPlaceBecomeFullWidthAndOthersStayText) {
    const struct {
        const char* typed;
        const char* read;
    } cases[] = {
        {"等待窗口:Notepad,限时5秒", "等待窗口：Notepad，限时5秒"},
        {"激活窗口：记事本, 限时5秒,否则跳到:重试", "激活窗口：记事本，限时5秒，否则跳到：重试"},
        {"窗口：a.txt - 记事本,类:Notepad,DPI:96", "窗口：a.txt - 记事本，类：Notepad，DPI：96"},
        {"等待颜色:X=1y=2颜色=FF0000,容差16", "等待颜色：X=1y=2颜色=FF0000，容差16"},
        {"等待图片:按钮,容差8,限时3秒", "等待图片：按钮，容差8，限时3秒"},
        {"移到找到的位置,偏移X=5y=-5", "移到找到的位置，偏移X=5y=-5"},
        {"标签:开头", "标签：开头"},
        {"跳到:开头", "跳到：开头"},
        // A comma or colon that starts no clause is part of the title or the text.
        {"等待窗口：Hello, World", "等待窗口：Hello, World"},
        {"窗口：C:\\temp - 资源管理器", "窗口：C:\\temp - 资源管理器"},
        {"输入文本:a,限时5秒", "输入文本：a,限时5秒"},
        {"等待窗口：A,类型:B,限时的窗口", "等待窗口：A,类型:B,限时的窗口"},
        {"等待窗口：A,类:B", "等待窗口：A,类:B"},
        {"移到找到的位置,容差5", "移到找到的位置,容差5"},
        {"输入文本：时间: 12:00", "输入文本：时间: 12:00"},
        {"延时1000毫秒", "延时1000毫秒"},
        {"等待窗口：记事本，限时5秒", "等待窗口：记事本，限时5秒"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(withFullWidthSigns(gbk(c.typed)), gbk(c.read));
        EXPECT_EQ(halfWidthSignFault(gbk(c.read)), "");
    }
}

TEST(ScriptSignsTest, TheFaultNamesTheFirstHalfWidthSign) {
    EXPECT_EQ(halfWidthSignFault(gbk("等待窗口：Notepad,限时5秒")), "用了半角的逗号“,”，应为全角的“，”");
    EXPECT_EQ(halfWidthSignFault(gbk("窗口：甲，类:Notepad")), "用了半角的冒号“:”，应为全角的“：”");
    EXPECT_EQ(halfWidthSignFault(gbk("等待窗口:甲,限时5秒")), "用了半角的冒号“:”，应为全角的“：”");
}

}  // namespace
}  // namespace tapmill::scripts
