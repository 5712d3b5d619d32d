#include "scripts/script_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tapmill::scripts {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ScriptFileTest, AnyOfTheThreeLineEndsEndsALine) {
    EXPECT_THAT(splitScriptLines("a\r\nb\rc\nd"), ElementsAre("a", "b", "c", "d"));
    EXPECT_THAT(splitScriptLines("a\r\nb\r\n"), ElementsAre("a", "b"));
    EXPECT_THAT(splitScriptLines("a\rb\r"), ElementsAre("a", "b"));
    EXPECT_THAT(splitScriptLines("a\nb\n"), ElementsAre("a", "b"));
}

TEST(ScriptFileTest, EmptyLinesBetweenLineEndsAreKeptAndAFinalEndAddsNone) {
    EXPECT_THAT(splitScriptLines("a\r\n\r\nb\r\n"), ElementsAre("a", "", "b"));
    EXPECT_THAT(splitScriptLines("\r\n"), ElementsAre(""));
    EXPECT_THAT(splitScriptLines("\n\r"), ElementsAre("", ""));  // LF then CR are two line ends
    EXPECT_THAT(splitScriptLines("a\n\n"), ElementsAre("a", ""));
    EXPECT_THAT(splitScriptLines(""), IsEmpty());
    EXPECT_THAT(splitScriptLines("no end"), ElementsAre("no end"));
}

TEST(ScriptFileTest, WritingEndsEveryLineWithCrLf) {
    EXPECT_EQ(joinScriptLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinScriptLines({}), "");
}

TEST(ScriptFileTest, FilesKeepTheirBytesAndAMissingFileReadsAsNothing) {
    char name[] = "/tmp/tapmill_scriptfile_XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    const std::string dir = name;
    std::filesystem::create_directory(dir + "/jb_homa");
    const std::string path = scriptPath(dir + "/", "演示");
    EXPECT_EQ(path, dir + "/jb_homa\\演示.ini");

    const std::vector<std::string> lines{"\xBF\xAA\xCA\xBC", "\xFF\x80 bytes", "", "\xBD\xE1\xCA\xF8"};
    ASSERT_TRUE(writeScriptFile(path, lines));
    std::ifstream in(dir + "/jb_homa/演示.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              "\xBF\xAA\xCA\xBC\r\n\xFF\x80 bytes\r\n\r\n\xBD\xE1\xCA\xF8\r\n");
    EXPECT_EQ(readScriptFile(path), lines);
    EXPECT_EQ(readScriptFile(scriptPath(dir + "/", "none")), std::nullopt);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tapmill::scripts
