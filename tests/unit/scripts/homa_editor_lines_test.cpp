// The editor's line list: GBK lines with highlights and a current position, kept in step with the
// list box that shows them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/gbk.h"
#include "scripts/editor_lines.h"
#include "ui/memory/memory_controls.h"

namespace tapmill::scripts {
namespace {

using ::testing::ElementsAre;

class EditorLinesTest : public ::testing::Test {
protected:
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (int i = 0; i < box.count(); ++i) out.push_back(box.item(i));
        return out;
    }
    std::vector<bool> highlights() const {
        std::vector<bool> out;
        for (int i = 0; i < lines.count(); ++i) out.push_back(lines.highlighted(i));
        return out;
    }

    ui::memory::MemoryListBox box{1};
    EditorLines lines{box};
};

TEST_F(EditorLinesTest, InsertTakesThePositionAndMovesTheLinesBelowWithTheirHighlights) {
    lines.setLines({"a", "b", "c"});
    lines.choose(2);
    lines.insert(2, "x");
    EXPECT_THAT(lines.lines(), ElementsAre("a", "b", "x", "c"));
    EXPECT_THAT(shown(), ElementsAre("a", "b", "x", "c"));
    // The position keeps its number, so it now names the new line; "c" kept its highlight.
    EXPECT_EQ(lines.currentLine(), 2);
    EXPECT_THAT(highlights(), ElementsAre(false, false, false, true));
    EXPECT_EQ(box.selectedIndex(), 2);

    lines.insert(lines.count(), "end");
    EXPECT_EQ(lines.line(4), "end");
    EXPECT_EQ(lines.currentLine(), 2);
}

TEST_F(EditorLinesTest, RemoveKeepsThePositionWhileALineStandsThere) {
    lines.setLines({"a", "b", "c"});
    lines.setHighlighted(2, true);
    lines.setHighlighted(1, true);
    lines.remove(1);
    EXPECT_THAT(shown(), ElementsAre("a", "c"));
    EXPECT_EQ(lines.currentLine(), 1);
    EXPECT_THAT(highlights(), ElementsAre(false, true));
    lines.remove(1);
    EXPECT_EQ(lines.currentLine(), 0);
    EXPECT_EQ(box.selectedIndex(), 0);
    lines.remove(0);
    EXPECT_EQ(lines.currentLine(), -1);
    EXPECT_EQ(box.count(), 0);
}

TEST_F(EditorLinesTest, SwapMovesTextsAndLeavesHighlightsInPlace) {
    lines.setLines({"a", "b", "c"});
    lines.choose(1);
    lines.swapTexts(1, 2);
    EXPECT_THAT(lines.lines(), ElementsAre("a", "c", "b"));
    EXPECT_THAT(shown(), ElementsAre("a", "c", "b"));
    EXPECT_THAT(highlights(), ElementsAre(false, true, false));
    EXPECT_EQ(box.selectedIndex(), 1);
}

TEST_F(EditorLinesTest, ChoosingHighlightsOneLineAndRemovingAHighlightKeepsThePosition) {
    lines.setLines({"a", "b", "c"});
    lines.setHighlighted(0, true);
    lines.setHighlighted(2, true);
    lines.choose(1);
    EXPECT_THAT(highlights(), ElementsAre(false, true, false));
    lines.setHighlighted(1, false);
    EXPECT_EQ(lines.currentLine(), 1);
    // Out of range changes nothing.
    lines.setHighlighted(7, true);
    lines.setHighlighted(-1, true);
    EXPECT_EQ(lines.currentLine(), 1);
    lines.setLines({"d"});
    EXPECT_EQ(lines.currentLine(), -1);
    EXPECT_EQ(box.selectedIndex(), -1);
}

TEST_F(EditorLinesTest, LinesKeepTheirBytesWhileTheBoxShowsText) {
    const std::string notGbk = "\xff\xfe";
    lines.setLines({utf8ToGbk("开始").value(), notGbk});
    lines.insert(1, utf8ToGbk("延时5秒").value());
    EXPECT_EQ(shown()[0], "开始");
    EXPECT_EQ(shown()[1], "延时5秒");
    EXPECT_EQ(lines.line(2), notGbk);
}

}  // namespace
}  // namespace tapmill::scripts
