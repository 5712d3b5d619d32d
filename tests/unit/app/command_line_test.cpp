// Reading the command line: the good lines with their defaults, and every kind of bad line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tapmill {
namespace {

Command commandOf(const std::vector<std::string>& args) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    EXPECT_EQ(parsed.fault, "") << "for " << joinArguments(args);
    return parsed.command;
}

std::string faultOf(const std::vector<std::string>& args) { return parseCommandLine(args).fault; }

TEST(CommandLineTest, GoodLinesGiveTheirCommandWithCountOneAndSpeedFiveUnlessTold) {
    EXPECT_EQ(commandOf({}).action, CommandAction::None);

    const Command play = commandOf({"/play", "demo"});
    EXPECT_EQ(play.action, CommandAction::Play);
    EXPECT_EQ(play.name, "demo");
    EXPECT_EQ(play.count, 1);
    EXPECT_EQ(play.speed, 5);
    EXPECT_FALSE(play.loop);

    // Switches in any case and order; a name may be Chinese and hold blanks.
    const Command journal = commandOf({"/Speed", "0", "/JOURNAL", "我的 日志", "/loop", "/count", "12"});
    EXPECT_EQ(journal.action, CommandAction::Journal);
    EXPECT_EQ(journal.name, "我的 日志");
    EXPECT_EQ(journal.count, 12);
    EXPECT_EQ(journal.speed, 0);
    EXPECT_TRUE(journal.loop);

    const Command run = commandOf({"/run", "演示", "/count", "3"});
    EXPECT_EQ(run.action, CommandAction::Run);
    EXPECT_EQ(run.name, "演示");
    EXPECT_EQ(run.count, 3);

    EXPECT_EQ(commandOf({"/play", "demo", "/speed", "10"}).speed, 10);
    EXPECT_EQ(commandOf({"/stop"}).action, CommandAction::Stop);
    // "/?" answers whatever else the line holds, a bad rest included.
    EXPECT_EQ(commandOf({"/?"}).action, CommandAction::Usage);
    EXPECT_EQ(commandOf({"/play", "demo", "/?", "/fast"}).action, CommandAction::Usage);
}

TEST(CommandLineTest, EachBadLineIsNamedInItsFault) {
    EXPECT_EQ(faultOf({"/fast"}), "未知的参数：/fast");
    EXPECT_EQ(faultOf({"demo"}), "未知的参数：demo");
    EXPECT_EQ(faultOf({"/play"}), "/play 后面要写脚本名。");
    EXPECT_EQ(faultOf({"/RUN", "/count", "2"}), "/RUN 后面要写脚本名。");
    EXPECT_EQ(faultOf({"/journal", "..\\config"}), "'..\\config'不能作为脚本名。");
    EXPECT_EQ(faultOf({"/play", "a", "/run", "b"}), "一次只能给一个命令：/play、/journal、/run 或 /stop。");
    EXPECT_EQ(faultOf({"/count", "2"}), "缺少命令：/play、/journal、/run 或 /stop。");

    const std::string badCount = "/count 后面要写播放次数：1 或更大的整数。";
    EXPECT_EQ(faultOf({"/play", "a", "/count", "two"}), badCount);
    EXPECT_EQ(faultOf({"/play", "a", "/count"}), badCount);
    EXPECT_EQ(faultOf({"/play", "a", "/count", "0"}), badCount);
    EXPECT_EQ(faultOf({"/play", "a", "/count", "99999999999"}), badCount);

    const std::string badSpeed = "/speed 后面要写播放速度：0 到 10 的整数。";
    EXPECT_EQ(faultOf({"/play", "a", "/speed", "fast"}), badSpeed);
    EXPECT_EQ(faultOf({"/play", "a", "/speed", "11"}), badSpeed);
    EXPECT_EQ(faultOf({"/journal", "a", "/speed", "-1"}), badSpeed);

    EXPECT_EQ(faultOf({"/run", "a", "/speed", "3"}), "/run 没有 /speed：自编的脚本按它自己的延时运行。");
    EXPECT_EQ(faultOf({"/stop", "/loop"}), "/stop 后面不能再有参数。");
}

TEST(CommandLineTest, TheHandedOverTextGivesBackTheSameArguments) {
    const std::vector<std::string> args = {"/play", "我的 录制", "", "/count", "2"};
    EXPECT_EQ(splitArguments(joinArguments(args)), args);
    EXPECT_TRUE(splitArguments(joinArguments({})).empty());
}

}  // namespace
}  // namespace tapmill
