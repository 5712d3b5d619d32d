// What a script run sees of the desktop and where its input goes: the program's own windows are
// never a line's window, keys follow the window line as moves do, a raise that cannot uncover the
// click's place stops the run, and the screen waits refuse what they could never find.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/bmp_file.h"
#include "scripts/homa_fixture.h"

namespace tapmill {
namespace {

using fake::InputCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ScriptDesktopTest : public testing::HomaFixture {
protected:
    void run(const std::vector<std::string>& lines) {
        script("s", lines);
        form().usename = "s";
        start_ = fp.pump.now();
        form().runhoma(1, "s", *form().homajbRunList);
    }
    uint64_t elapsed() const { return fp.pump.now() - start_; }
    void atStart(uint64_t ms, std::function<void()> fn) { fp.pump.at(fp.pump.now() + ms, std::move(fn)); }

    // Left and right clicks as L and R, key presses as K, typed characters as themselves.
    std::string injected() const {
        std::string out;
        for (const InputCall& c : fp.input.calls()) {
            if (c.kind == InputCall::Mouse && c.a == platform::kMouseLeftDown) out += "L";
            if (c.kind == InputCall::Mouse && c.a == platform::kMouseRightDown) out += "R";
            if (c.kind == InputCall::Key && !(c.b & platform::kKeyEventKeyUp)) out += "K";
            if (c.kind == InputCall::Character) out += static_cast<char>(c.a);
        }
        return out;
    }
    // A tool in front, an editor behind it, apart on the screen.
    void layOutEditor() {
        fp.topWindows.windows = {{1, "工具", "Tool"}, {7, "a.txt - 记事本", "Notepad"}};
        fp.topWindows.places = {{1, {{0, 0, 100, 100}, 96}}, {7, {{300, 200, 400, 300}, 96}}};
    }
    // The program's own windows, each with a place on the screen.
    void openOwnWindows() {
        fp.topWindows.windows = {{3, "运行脚本中  第 2 行", "TapmillStateIndicator"},
                                 {4, "自编脚本", "TForm_homa"},
                                 {5, "Tapmill V3.3", "TForm_maintapmill"},
                                 {6, "提醒！", "#32770"}};
        for (uintptr_t own = 3; own <= 6; ++own) {
            fp.topWindows.ownWindows.insert(own);
            fp.topWindows.places[own] = {{static_cast<int>(own) * 100, 0, 90, 90}, 96};
        }
    }
    static platform::PixelBuffer square(int side) {
        platform::PixelBuffer picture{side, side, {}};
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) picture.pixels.push_back((x + y) / 4 % 2 ? 0x20C040 : 0xD04020);
        return picture;
    }
    void writeSquare(int side) {
        std::filesystem::create_directories(dir_ + "/jb_homa/图片/s");
        ASSERT_TRUE(writeBmp(dir_ + "/jb_homa/图片/s/方块.bmp", square(side)));
    }

    uint64_t start_ = 0;
};

TEST_F(ScriptDesktopTest, TheProgramsOwnWindowsAreNeverALinesWindow) {
    const char* const lines[] = {
        "等待窗口：Tapmill，限时2秒，否则跳到：没有",
        "激活窗口：自编脚本，限时1秒，否则跳到：没有",
        "窗口：运行脚本中，限时1秒，否则跳到：没有",
        "窗口：Tapmill V3.3，类：TForm_maintapmill，限时1秒，否则跳到：没有",
        "窗口：提醒！，类：#32770，限时1秒，否则跳到：没有",
    };
    for (const char* line : lines) {
        fp.input.clear();
        fp.topWindows.broughtToFront.clear();
        openOwnWindows();
        run({"开始", line, "单击鼠标左键", "标签：没有", "单击鼠标右键", "结束"});
        EXPECT_EQ(injected(), "R") << line;
        EXPECT_THAT(fp.topWindows.broughtToFront, IsEmpty()) << line;
        EXPECT_THAT(messages(), IsEmpty()) << line;
    }
}

TEST_F(ScriptDesktopTest, KeysAndTextUnderAWindowLineGoToThatWindow) {
    const struct {
        const char* what;
        uintptr_t keyboardWith;  // the window that has the keyboard when the keys come
        std::vector<uintptr_t> raised;
    } cases[] = {
        {"another window has the keyboard: raised first", 1, {7}},
        {"the window has the keyboard already: nothing raised", 7, {}},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.topWindows.broughtToFront.clear();
        layOutEditor();
        fp.topWindows.inputWindow = c.keyboardWith;
        std::vector<size_t> injectedBeforeRaise;
        fp.topWindows.onBringToFront = [&](uintptr_t) { injectedBeforeRaise.push_back(fp.input.calls().size()); };
        run({"开始", "窗口：a.txt - 记事本，类：Notepad", "单击键盘的A", "输入文本：b", "结束"});
        EXPECT_EQ(injected(), "Kb") << c.what;
        EXPECT_EQ(fp.topWindows.broughtToFront, c.raised) << c.what;
        for (size_t before : injectedBeforeRaise) EXPECT_EQ(before, 0u) << c.what;
        EXPECT_THAT(messages(), IsEmpty()) << c.what;
    }
}

TEST_F(ScriptDesktopTest, KeysUnderAWindowLineWaitForItsWindowAndStopWhenItStaysAwayOrBehind) {
    const struct {
        const char* what;
        std::string keyLine;
        bool refuseFront;
        uint64_t endsBy;
        std::string message;
    } cases[] = {
        {"closed: a key", "单击键盘的A", false, 6500, "脚本已停止！\n第2行：窗口：a.txt - 记事本，类：Notepad\n限时内没有等到这个窗口"},
        {"closed: text", "输入文本：b", false, 6500, "脚本已停止！\n第2行：窗口：a.txt - 记事本，类：Notepad\n限时内没有等到这个窗口"},
        {"kept behind", "单击键盘的A", true, 1500, "脚本已停止！\n第2行：窗口：a.txt - 记事本，类：Notepad\n没能把这个窗口调到前面"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        layOutEditor();
        fp.topWindows.refuseFront = c.refuseFront;
        if (!c.refuseFront) atStart(500, [&] { fp.topWindows.windows.resize(1); });
        run({"开始", "窗口：a.txt - 记事本，类：Notepad", "延时1000毫秒", c.keyLine, "结束"});
        EXPECT_EQ(injected(), "") << c.what;
        EXPECT_LE(elapsed(), c.endsBy) << c.what;
        EXPECT_GE(elapsed() + 600, c.endsBy) << c.what;
        EXPECT_THAT(messages(), ElementsAre(c.message)) << c.what;
        fp.pump.runMessageLoop();
    }
}

TEST_F(ScriptDesktopTest, AClickIntoAnOpenListOrMenuRaisesNothingFirst) {
    for (const char* className : {"ComboLBox", "#32768"}) {
        fp.input.clear();
        fp.topWindows.broughtToFront.clear();
        layOutEditor();
        // The editor's drop-down list, a top-level window of its own, lies open over its client area.
        fp.topWindows.windows.insert(fp.topWindows.windows.begin(), {9, "", className});
        fp.topWindows.places[9] = {{300, 200, 100, 100}, 96};
        fp.topWindows.inputWindow = 7;
        run({"开始", "窗口：a.txt - 记事本，类：Notepad", "鼠标移至X=10y=20", "单击鼠标左键", "结束"});
        EXPECT_EQ(injected(), "L") << className;
        EXPECT_THAT(fp.topWindows.broughtToFront, IsEmpty()) << className;
        EXPECT_THAT(messages(), IsEmpty()) << className;
    }
}

TEST_F(ScriptDesktopTest, AClickPlaceATopmostWindowKeepsCoveredStopsTheRunInsteadOfClickingIt) {
    layOutEditor();
    fp.topWindows.windows.insert(fp.topWindows.windows.begin(), {2, "置顶", "Pinned"});
    fp.topWindows.places[2] = {{250, 150, 200, 200}, 96};
    fp.topWindows.topmost = {2};
    run({"开始", "窗口：a.txt - 记事本，类：Notepad", "鼠标移至X=10y=20", "单击鼠标左键", "鼠标移至X=300y=200",
         "单击鼠标左键", "结束"});
    EXPECT_EQ(injected(), "");
    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAre(7));
    EXPECT_THAT(messages(), ElementsAre("脚本已停止！\n第2行：窗口：a.txt - 记事本，类：Notepad\n没能把这个窗口调到前面"));
}

TEST_F(ScriptDesktopTest, AClickOnAWindowsFrameCountsAsThatWindow) {
    // The tool's frame reaches over the place the editor's click goes to: the editor is raised.
    layOutEditor();
    fp.topWindows.inputWindow = 7;
    fp.topWindows.frames[1] = {0, 0, 400, 400};
    run({"开始", "窗口：a.txt - 记事本，类：Notepad", "鼠标移至X=10y=20", "单击鼠标左键", "结束"});
    EXPECT_EQ(injected(), "L");
    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAre(7));
}

TEST_F(ScriptDesktopTest, MovesIntoAWindowTheSystemStretchesFollowItsMonitorsDpi) {
    // Not drawn per monitor, on a monitor at 150%: it reads 96 DPI while its pixels are at 144.
    layOutEditor();
    fp.topWindows.places[7] = {{300, 200, 600, 450}, 96, platform::DpiAwareness::Unaware, 144};
    run({"开始", "窗口：a.txt - 记事本，类：Notepad，DPI：96", "鼠标移至X=100y=20", "结束"});
    EXPECT_EQ(fp.input.cursorPos().x, 450);
    EXPECT_EQ(fp.input.cursorPos().y, 230);
}

TEST_F(ScriptDesktopTest, ImagesOfLinesAfterTheEndNeedNotExist) {
    run({"开始", "单击鼠标左键", "结束", "等待图片：从未画过"});
    EXPECT_EQ(injected(), "L");
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(ScriptDesktopTest, AnImageLargerThanTheAreaSearchedIsRefusedAtTheStartNamingTheLine) {
    writeSquare(40);
    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::string clicks;
        std::string message;
    } cases[] = {
        {"larger than the screen: before anything is injected",
         {"开始", "单击鼠标左键", "等待图片：方块，限时1秒", "结束"}, "",
         "脚本已停止！\n第3行：等待图片：方块，限时1秒\n图片比要找的范围还大，永远找不到"},
        {"larger than the window's client area: at the wait, at once",
         {"开始", "窗口：工具", "单击鼠标右键", "等待图片：方块，限时1秒", "单击鼠标左键", "结束"}, "R",
         "脚本已停止！\n第4行：等待图片：方块，限时1秒\n图片比要找的范围还大，永远找不到"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        fp.screen.resize(c.clicks.empty() ? platform::ScreenRect{0, 0, 30, 1080} : platform::ScreenRect{0, 0, 1920, 1080});
        layOutEditor();
        fp.topWindows.places[1].client = {0, 0, 100, 30};
        run(c.lines);
        EXPECT_EQ(injected(), c.clicks) << c.what;
        EXPECT_LT(elapsed(), 100u) << c.what;
        EXPECT_THAT(messages(), ElementsAre(c.message)) << c.what;
    }
}

TEST_F(ScriptDesktopTest, AScreenWaitLetsGoOfItsGrabWhenItEnds) {
    writeSquare(20);
    fp.screen.paste(700, 400, square(20));
    bool heldDuringTheDelay = true;
    atStart(500, [&] { heldDuringTheDelay = fp.screen.held; });
    run({"开始", "等待图片：方块", "延时1000毫秒", "等待图片：方块", "结束"});
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_FALSE(heldDuringTheDelay);
    // The second wait's first grab starts from an empty buffer: the first wait's is gone.
    ASSERT_EQ(fp.screen.bufferSizesGiven.size(), 2u);
    EXPECT_EQ(fp.screen.bufferSizesGiven[1], 0u);
}

TEST_F(ScriptDesktopTest, AGrabTheMemoryCannotHoldStopsTheRunWithAMessage) {
    writeSquare(20);
    fp.screen.outOfMemory = true;
    run({"开始", "按下鼠标左键", "等待图片：方块", "结束"});
    EXPECT_THAT(messages(), ElementsAre("脚本已停止！\n第3行：等待图片：方块\n内存不足，无法截取屏幕"));
    EXPECT_FALSE(form().running);
    // What the run held is let go.
    EXPECT_EQ(fp.input.calls().back().a, static_cast<int>(platform::kMouseLeftUp));
}

}  // namespace
}  // namespace tapmill
