// A plain recording converted into the lines of a hand-written script, read back with the
// interpreter's own line readers.
#include "plain/recording_to_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "common/gbk.h"
#include "scripts/script_file.h"
#include "scripts/script_line.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Timed = std::pair<int32_t, std::string>;

// A frame as the recording stores it: its position and its "ev" list.
RecordedFrame frame(int x, int y, const std::string& ev = "") { return {{x, y}, decodeFrameEvents(ev), std::nullopt}; }

struct Converted {
    std::vector<std::string> lines;  // as GBK bytes
    LeftOutEvents leftOut;
};

Converted convert(const std::vector<RecordedFrame>& frames, uint64_t byteLimit = scripts::kMaxScriptFileBytes) {
    RecordingToScript conversion(byteLimit);
    for (const RecordedFrame& f : frames) conversion.addFrame(f);
    std::optional<std::vector<std::string>> lines = conversion.finish();
    EXPECT_TRUE(lines.has_value());
    return {lines.value_or(std::vector<std::string>{}), conversion.leftOut()};
}

// Every line but the delays, in UTF-8, with the time the script reaches it; the delays' total last.
std::vector<Timed> timeline(const std::vector<std::string>& lines) {
    std::vector<Timed> out;
    int32_t at = 0;
    for (const std::string& line : lines) {
        const scripts::LineKind kind = scripts::classifyLine(line);
        if (kind == scripts::LineKind::DelayMilliseconds)
            at += scripts::lineWaitMs(line);
        else if (kind != scripts::LineKind::Start && kind != scripts::LineKind::End)
            out.push_back({at, *gbkToUtf8(line)});
    }
    out.push_back({at, "total"});
    return out;
}

std::vector<RecordedFrame> still(int count, int x, int y) { return std::vector<RecordedFrame>(count, frame(x, y)); }

TEST(RecordingToScriptTest, AnEmptyRecordingIsAnEmptyScript) {
    const Converted c = convert({});
    std::vector<std::string> utf8;
    for (const std::string& line : c.lines) utf8.push_back(*gbkToUtf8(line));
    EXPECT_THAT(utf8, ElementsAre("开始", "结束"));
    EXPECT_TRUE(c.leftOut.empty());
}

TEST(RecordingToScriptTest, MouseButtonsBecomeTheirLinesAtTheFramesPositionsAndTimes) {
    std::vector<RecordedFrame> frames = still(2, 10, 20);
    frames.push_back(frame(10, 20, "WM_LBUTTONDOWN"));                                  // 2: press
    frames.push_back(frame(30, 40, "WM_LBUTTONUP"));                                    // 3: dragged, release
    frames.push_back(frame(30, 40, "WM_RBUTTONDOWN"));                                  // 4: right press
    frames.push_back(frame(30, 40, "WM_RBUTTONUP"));                                    // 5: its release
    frames.push_back(frame(50, 60, "WM_LBUTTONDOWN WM_LBUTTONUP"));                     // 6: a click
    frames.push_back(frame(50, 60, "WM_LBUTTONDOWN WM_LBUTTONUP WM_LBUTTONDBLCLK WM_LBUTTONUP"));  // 7
    frames.push_back(frame(50, 60, "WM_LBUTTONDBLCLK"));                                // 8: a double click alone
    frames.push_back(frame(70, 80, "WM_LBUTTONDOWN WM_LBUTTONUP"));                     // 9: first press of a
    frames.push_back(frame(70, 80, "WM_LBUTTONDBLCLK WM_LBUTTONUP"));                  // 10: its second click
    EXPECT_THAT(timeline(convert(frames).lines),
                ElementsAre(Timed{0, "鼠标移至X=10y=20"}, Timed{40, "按下鼠标左键"}, Timed{60, "鼠标移至X=30y=40"},
                            Timed{60, "弹起鼠标左键"}, Timed{80, "单击鼠标右键"}, Timed{120, "鼠标移至X=50y=60"},
                            Timed{120, "单击鼠标左键"}, Timed{140, "双击鼠标左键"}, Timed{160, "双击鼠标左键"},
                            Timed{180, "鼠标移至X=70y=80"}, Timed{180, "单击鼠标左键"}, Timed{200, "单击鼠标左键"},
                            Timed{220, "total"}));
}

TEST(RecordingToScriptTest, FramesWithWindowNotesMoveInTheWindowsClientAreaAfterItsWindowLine) {
    const WindowNote editor{"Notepad", "a.txt - 记事本", false, 10, 20, 96};
    WindowNote movedEditor = editor;
    movedEditor.clientX = 30;
    movedEditor.clientY = 50;
    const WindowNote calculator{"CalcFrame", "计算器", false, 5, 6, 144};
    std::vector<RecordedFrame> frames = {frame(5, 5), frame(310, 220, "WM_LBUTTONDOWN WM_LBUTTONUP"),
                                         frame(330, 240, "WM_RBUTTONDOWN"), frame(350, 250, "WM_LBUTTONDOWN WM_LBUTTONUP"),
                                         frame(600, 100, "WM_LBUTTONDOWN WM_LBUTTONUP")};
    frames[1].note = editor;
    frames[3].note = movedEditor;  // the editor moved while recording: no new line
    frames[4].note = calculator;
    EXPECT_THAT(timeline(convert(frames).lines),
                ElementsAre(Timed{0, "鼠标移至X=5y=5"}, Timed{20, "窗口：a.txt - 记事本，类：Notepad，DPI：96"},
                            Timed{20, "鼠标移至X=10y=20"}, Timed{20, "单击鼠标左键"}, Timed{40, "鼠标移至X=30y=40"},
                            Timed{40, "单击鼠标右键"}, Timed{60, "鼠标移至X=30y=50"}, Timed{60, "单击鼠标左键"},
                            Timed{80, "窗口：计算器，类：CalcFrame，DPI：144"}, Timed{80, "鼠标移至X=5y=6"},
                            Timed{80, "单击鼠标左键"}, Timed{100, "total"}));
}

// Recordings of earlier versions also noted each window the pointer only crossed.
TEST(RecordingToScriptTest, ANoteOnAFrameWithoutInputGivesNoWindowLine) {
    const WindowNote editor{"Notepad", "a.txt - 记事本", false, 10, 20, 96};
    WindowNote again = editor;
    again.clientX = 20;
    again.clientY = 30;
    std::vector<RecordedFrame> frames = {frame(310, 220, "WM_LBUTTONDOWN WM_LBUTTONUP"), frame(600, 100),
                                         frame(320, 230, "WM_LBUTTONDOWN WM_LBUTTONUP")};
    frames[0].note = editor;
    frames[1].note = WindowNote{"CalcFrame", "计算器", false, 5, 6, 96};
    frames[2].note = again;
    EXPECT_THAT(timeline(convert(frames).lines),
                ElementsAre(Timed{0, "窗口：a.txt - 记事本，类：Notepad，DPI：96"}, Timed{0, "鼠标移至X=10y=20"},
                            Timed{0, "单击鼠标左键"}, Timed{40, "鼠标移至X=20y=30"}, Timed{40, "单击鼠标左键"},
                            Timed{60, "total"}));
}

TEST(RecordingToScriptTest, KeysAndCombinationsBecomeKeyLinesAsThePlayerPressesThem) {
    std::vector<RecordedFrame> frames;
    frames.push_back(frame(1, 1, "k65"));                 // 0: A
    frames.push_back(frame(1, 1, "k17"));                 // 1: Ctrl, the start of Ctrl+S
    frames.push_back(frame(1, 1, "k83+2"));               // 2: Ctrl+S
    frames.push_back(frame(1, 1, "k17 k16+2 k190+6"));    // 3: Ctrl+Shift+. in one frame
    frames.push_back(frame(1, 1, "k16"));                 // 4: Shift on its own
    for (int i = 0; i < 30; ++i) frames.push_back(frame(1, 1));
    frames.push_back(frame(1, 1, "k38 k100 k123"));       // 35: Up arrow, keypad 4, F12
    EXPECT_THAT(timeline(convert(frames).lines),
                ElementsAre(Timed{0, "鼠标移至X=1y=1"}, Timed{0, "单击键盘的A"}, Timed{40, "按下键盘的CONTROL"},
                            Timed{40, "单击键盘的S"}, Timed{40, "弹起键盘的CONTROL"},
                            Timed{60, "按下键盘的CONTROL"}, Timed{60, "按下键盘的SHIFT"},
                            Timed{60, "单击键盘的OEM_PERIOD"}, Timed{60, "弹起键盘的SHIFT"},
                            Timed{60, "弹起键盘的CONTROL"},
                            // The player waits 25 frames for a key pressed with the Shift.
                            Timed{(4 + 25) * 20, "单击键盘的SHIFT"}, Timed{700, "单击键盘的UPK"},
                            Timed{700, "单击键盘的4"}, Timed{700, "单击键盘的F12"}, Timed{720, "total"}));
}

TEST(RecordingToScriptTest, AKeyHeldOverAClickOrRepeatingIsPressedAndReleasedWhereItWasAQuickPressIsOne) {
    const Converted c = convert({frame(1, 1, "kd16"), frame(1, 1, "WM_LBUTTONDOWN+4 WM_LBUTTONUP+4"), frame(1, 1, "ku16"),
                                 frame(1, 1, "kd39"), frame(1, 1, "kd39"), frame(1, 1, "kd39"), frame(1, 1, "ku39"),
                                 frame(1, 1, "kd65"), frame(5, 5), frame(5, 5, "ku65")});
    EXPECT_THAT(timeline(c.lines),
                ElementsAre(Timed{0, "鼠标移至X=1y=1"}, Timed{0, "按下键盘的SHIFT"}, Timed{20, "单击鼠标左键"},
                            Timed{40, "弹起键盘的SHIFT"}, Timed{60, "按下键盘的RIGHT"}, Timed{80, "按下键盘的RIGHT"},
                            Timed{100, "单击键盘的RIGHT"}, Timed{140, "单击键盘的A"}, Timed{160, "鼠标移至X=5y=5"},
                            Timed{200, "total"}));
    // The delays around a release taken out are one.
    EXPECT_EQ(std::count_if(c.lines.begin(), c.lines.end(),
                            [](const std::string& line) { return scripts::classifyLine(line) == scripts::LineKind::DelayMilliseconds; }),
              8);
}

TEST(RecordingToScriptTest, TheDelaysAddUpToTheRecordingsFramesAtTwentyMilliseconds) {
    std::vector<RecordedFrame> frames = still(500, 5, 5);
    frames[0] = frame(5, 5, "k65");
    frames[137] = frame(5, 5, "k66");
    frames[138] = frame(5, 5, "k67");
    frames[499] = frame(5, 5, "k68");
    const std::vector<std::string> lines = convert(frames).lines;
    EXPECT_THAT(timeline(lines),
                ElementsAre(Timed{0, "鼠标移至X=5y=5"}, Timed{0, "单击键盘的A"}, Timed{2740, "单击键盘的B"},
                            Timed{2760, "单击键盘的C"}, Timed{9980, "单击键盘的D"}, Timed{10000, "total"}));
    // Each wait between events is one line.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return scripts::classifyLine(l) == scripts::LineKind::DelayMilliseconds; }),
              4);
}

TEST(RecordingToScriptTest, ThePointersPathIsThinnedToAMoveEvery100MsWhereItMoved) {
    std::vector<RecordedFrame> frames;
    for (int i = 0; i < 23; ++i) frames.push_back(frame(i, 2 * i));   // moving every frame
    for (int i = 0; i < 20; ++i) frames.push_back(frame(22, 44));      // resting: no moves
    frames.push_back(frame(23, 44));                                    // 43
    frames.push_back(frame(24, 44, "WM_RBUTTONDOWN"));                  // 44: an event moves at once
    frames.push_back(frame(24, 44, "WM_RBUTTONUP"));
    frames.push_back(frame(25, 44));                                    // 46: too soon after the event
    frames.push_back(frame(26, 44));                                    // 47: the end, still reached
    EXPECT_THAT(timeline(convert(frames).lines),
                ElementsAre(Timed{0, "鼠标移至X=0y=0"}, Timed{100, "鼠标移至X=5y=10"}, Timed{200, "鼠标移至X=10y=20"},
                            Timed{300, "鼠标移至X=15y=30"}, Timed{400, "鼠标移至X=20y=40"},
                            Timed{500, "鼠标移至X=22y=44"}, Timed{860, "鼠标移至X=23y=44"},
                            Timed{880, "鼠标移至X=24y=44"}, Timed{880, "单击鼠标右键"},
                            Timed{980, "鼠标移至X=26y=44"}, Timed{980, "total"}));
}

TEST(RecordingToScriptTest, EventsNoLineExpressesAreLeftOutWithTheirFrames) {
    std::vector<RecordedFrame> frames = still(2, 0, 0);
    frames.push_back(frame(0, 0, "k12"));                     // 2: a key without a name
    frames.push_back(frame(0, 0, "k17 k108+2"));              // 3: Ctrl with one: no stray Ctrl either
    frames.push_back(frame(0, 0, "WM_MBUTTONDOWN"));          // 4
    frames.push_back(frame(0, 0, "WM_MBUTTONUP WM_MOUSEWHEEL:-120 k65"));  // 5
    frames.push_back(frame(0, 0, "kx"));                      // 6: a faulty key text
    frames.push_back(frame(0, 0, "WM_RBUTTONUP"));            // 7: a release never pressed
    const Converted c = convert(frames);
    EXPECT_THAT(timeline(c.lines), ElementsAre(Timed{0, "鼠标移至X=0y=0"}, Timed{100, "单击键盘的A"}, Timed{160, "total"}));
    EXPECT_THAT(c.leftOut.unnamedKeys, ElementsAre(2, 3, 6));
    EXPECT_THAT(c.leftOut.middleButton, ElementsAre(4, 5));
    EXPECT_THAT(c.leftOut.wheel, ElementsAre(5));
    EXPECT_THAT(c.leftOut.rightReleases, ElementsAre(7));
}

TEST(RecordingToScriptTest, AScriptBeyondTheByteLimitIsNone) {
    std::vector<RecordedFrame> frames;
    for (int i = 0; i < 100; ++i) frames.push_back(frame(i, i, "k65"));
    RecordingToScript conversion(1000);
    for (const RecordedFrame& f : frames) conversion.addFrame(f);
    EXPECT_EQ(conversion.finish(), std::nullopt);
    EXPECT_THAT(convert(frames, 1000000).lines, ::testing::SizeIs(::testing::Gt(100u)));
}

}  // namespace
}  // namespace tapmill
