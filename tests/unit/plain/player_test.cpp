// Plain playback driven through the main window's handlers, on the fake pump's virtual clock.
#include <stdlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Unit_main.h"
#include "common/error.h"
#include "common/profile.h"
#include "plain/window_note.h"
#include "common/speed.h"
#include "platform/fake/fake_platform.h"
#include "ui/memory/memory_controls.h"

namespace tapmill {
namespace {

using fake::InputCall;
using platform::MessageButtons;
using ui::memory::as;
using ui::memory::MemoryEdit;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const char* const kIdle = "当前状态：";
const char* const kPlaying = "当前状态：播放……";

// A status bar that also keeps every text given to panel 0, so a test sees the texts a playback
// showed and took back without the clock moving.
class StatusLogBar : public ui::memory::MemoryStatusBar {
public:
    StatusLogBar(int id, std::vector<std::string>& log) : MemoryStatusBar(id), log_(log) {}
    void setPanelText(int panel, const std::string& text) override {
        if (panel == 0) log_.push_back(text);
        MemoryStatusBar::setPanelText(panel, text);
    }

private:
    std::vector<std::string>& log_;
};

class StatusLogFactory : public ui::memory::MemoryFactory {
public:
    std::unique_ptr<ui::StatusBar> statusBar(ui::Control&, int id, ui::Rect, const std::vector<int>&) override {
        return std::make_unique<StatusLogBar>(id, statusLog);
    }
    std::vector<std::string> statusLog;
};

struct Frame {
    std::optional<int> x, y;
    std::string kp;  // empty: the frame has no event
    std::string ev = {};   // empty: the frame has no further events
    std::string ev2 = {};  // empty: the frame's events as performed are those of "ev"
};

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_player_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        for (const char* sub : {"jb_rec", "jb_strec", "jb_homa"}) std::filesystem::create_directory(dir_ + "/" + sub);
        form_ = std::make_unique<TForm_maintapmill>(fp.platform, factory, dir_ + "/tapmill.exe");
        form_->Label_recjbname->setText("demo");
        form_->window->show();
        factory.statusLog.clear();
        start_ = fp.pump.now();
    }
    void TearDown() override {
        form_.reset();
        std::filesystem::remove_all(dir_);
    }

    TForm_maintapmill& form() { return *form_; }

    // The path the player itself builds, so that writes made during playback and the player's reads
    // go to the same file the same way.
    std::string recordingPath() const { return form_->exedir + "jb_rec\\" + form_->recname + ".ini"; }

    // Writes frames as the recorder does (the event first, then the position) and the frame count.
    void record(const std::vector<Frame>& frames, std::optional<int> count = std::nullopt) {
        const std::string path = recordingPath();
        for (size_t f = 0; f < frames.size(); ++f) {
            const std::string section = std::to_string(f);
            if (!frames[f].kp.empty()) profile::writeString(path, section, "kp", frames[f].kp);
            if (!frames[f].ev.empty()) profile::writeString(path, section, "ev", frames[f].ev);
            if (!frames[f].ev2.empty()) profile::writeString(path, section, "ev2", frames[f].ev2);
            if (frames[f].x) profile::writeInteger(path, section, "x", *frames[f].x);
            if (frames[f].y) profile::writeInteger(path, section, "y", *frames[f].y);
        }
        setFrameCount(count.value_or(static_cast<int>(frames.size())));
    }
    void setFrameCount(int count) { profile::writeInteger(recordingPath(), "all", "value", count); }

    // Frames at distinct positions (10 + f, 20 + f), without events.
    void recordPlainFrames(int n) {
        std::vector<Frame> frames;
        for (int f = 0; f < n; ++f) frames.push_back({10 + f, 20 + f, ""});
        record(frames);
    }

    // Schedules fn at the given virtual milliseconds after the start of the test.
    void at(uint64_t ms, std::function<void()> fn) { fp.pump.at(start_ + ms, std::move(fn)); }

    static std::string describeCall(const InputCall& c) {
        switch (c.kind) {
            case InputCall::SetCursor: return "cursor " + std::to_string(c.a) + "," + std::to_string(c.b);
            case InputCall::Mouse: return "mouse " + std::to_string(c.a);
            case InputCall::Key: return "key " + std::to_string(c.a) + " flags " + std::to_string(c.b);
            case InputCall::Wheel: return "wheel " + std::to_string(c.a);
            case InputCall::Character: return fake::describe(c);
        }
        return "?";
    }

    // Every injected call as "<ms after start> <call>".
    std::vector<std::string> timeline() const {
        std::vector<std::string> out;
        for (const InputCall& c : fp.input.calls()) out.push_back(std::to_string(c.time - start_) + " " + describeCall(c));
        return out;
    }

    std::vector<uint64_t> cursorTimes() const {
        std::vector<uint64_t> out;
        for (const InputCall& c : fp.input.calls())
            if (c.kind == InputCall::SetCursor) out.push_back(c.time - start_);
        return out;
    }

    int mouseCalls(int flags) const {
        int n = 0;
        for (const InputCall& c : fp.input.calls()) n += c.kind == InputCall::Mouse && c.a == flags;
        return n;
    }

    fake::FakePlatform fp;
    StatusLogFactory factory;
    std::string dir_;
    uint64_t start_ = 0;

private:
    std::unique_ptr<TForm_maintapmill> form_;
};

// ---- what one frame does ----

struct EventCase {
    const char* kp;
    std::vector<std::string> injected;  // after the frame's cursor call, at the same time
};

void PrintTo(const EventCase& c, std::ostream* os) { *os << '"' << c.kp << '"'; }

class PlayerEventTest : public PlayerTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(PlayerEventTest, WaitsThenPlacesTheCursorThenInjectsTheEvent) {
    record({{10, 20, ""}, {-5, 7, GetParam().kp}});

    form().SpeedButton_playClick();

    std::vector<std::string> expected = {"20 cursor 10,20", "40 cursor -5,7"};
    for (const std::string& call : GetParam().injected) expected.push_back("40 " + call);
    EXPECT_THAT(timeline(), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(
    EveryEventText, PlayerEventTest,
    ::testing::Values(EventCase{"WM_LBUTTONDOWN", {"mouse 2"}}, EventCase{"WM_LBUTTONUP", {"mouse 4"}},
                      EventCase{"WM_RBUTTONDOWN", {"mouse 8"}}, EventCase{"WM_RBUTTONUP", {"mouse 16"}},
                      EventCase{"WM_LBUTTONDBLCLK", {"mouse 2", "mouse 4", "mouse 2", "mouse 4"}},
                      EventCase{"k65", {"key 65 flags 0", "key 65 flags 2"}},
                      // The key number reaches the system as one byte.
                      EventCase{"k321", {"key 65 flags 0", "key 65 flags 2"}},
                      EventCase{"K65", {}}, EventCase{"wm_lbuttondown", {}}));

TEST_F(PlayerTest, MissingPositionReadsAsZeroAndAFrameWithoutEventInjectsNothing) {
    record({{std::nullopt, std::nullopt, "k66"}, {std::nullopt, 9, ""}, {4, 5, ""}});

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 0,0", "20 key 66 flags 0", "20 key 66 flags 2", "40 cursor 0,9",
                                        "60 cursor 4,5"));
}

TEST_F(PlayerTest, FrameLabelShowsTheLastFramePlayed) {
    recordPlainFrames(3);
    form().Label_playfra->setText("");
    std::string duringFirstFrames;
    at(50, [&] { duringFirstFrames = form().Label_playfra->text(); });

    form().SpeedButton_playClick();

    EXPECT_EQ(duringFirstFrames, "1");
    EXPECT_EQ(form().Label_playfra->text(), "2");
}

// ---- what the user did is what replays ----

// The injected calls without the cursor's.
std::vector<std::string> eventsOf(const std::vector<std::string>& timeline) {
    std::vector<std::string> out;
    for (const std::string& call : timeline)
        if (call.find(" cursor ") == std::string::npos) out.push_back(call.substr(call.find(' ') + 1));
    return out;
}

TEST_F(PlayerTest, ARecordedDoubleClickReplaysAsTwoClicksAndALoneDoubleClickFrameAsAWholeDoubleClick) {
    // As the mouse library reports a real double click, one event a frame and all in one frame.
    record({{1, 1, "WM_LBUTTONDOWN"}, {1, 1, "WM_LBUTTONUP"}, {1, 1, "WM_LBUTTONDBLCLK"}, {1, 1, "WM_LBUTTONUP"},
            {1, 1, "WM_LBUTTONUP", "WM_LBUTTONDOWN WM_LBUTTONUP WM_LBUTTONDBLCLK WM_LBUTTONUP"},
            {1, 1, "WM_LBUTTONDBLCLK"}, {1, 1, "WM_RBUTTONUP"}, {1, 1, "WM_LBUTTONDBLCLK"}});

    form().SpeedButton_playClick();

    EXPECT_THAT(eventsOf(timeline()), ElementsAre("mouse 2", "mouse 4", "mouse 2", "mouse 4",  //
                                                  "mouse 2", "mouse 4", "mouse 2", "mouse 4",  //
                                                  "mouse 2", "mouse 4", "mouse 2", "mouse 4",  //
                                                  "mouse 16", "mouse 2", "mouse 4", "mouse 2", "mouse 4"));
}

TEST_F(PlayerTest, AKeyPressedWithModifiersReplaysInsideThemAndTheirOwnPressesJoinIt) {
    // Ctrl+S in one frame; Shift, then Shift+a three frames later; Alt alone, then F.
    record({{1, 1, "k83", "k17 k83+2"}, {1, 1, "k16"}, {1, 1, ""}, {1, 1, ""}, {1, 1, "k65", "k65+4"},
            {1, 1, "k18"}, {1, 1, "k70"}});

    form().SpeedButton_playClick();

    EXPECT_THAT(eventsOf(timeline()),
                ElementsAre("key 17 flags 0", "key 83 flags 0", "key 83 flags 2", "key 17 flags 2",  //
                            "key 16 flags 0", "key 65 flags 0", "key 65 flags 2", "key 16 flags 2",  //
                            "key 18 flags 0", "key 18 flags 2", "key 70 flags 0", "key 70 flags 2"));
}

TEST_F(PlayerTest, AModifierPressedOnItsOwnIsTappedOnceItsCombinationTimeHasPassedOrAtThePassEnd) {
    std::vector<Frame> frames = {{1, 1, "k91"}};
    for (int f = 0; f < 30; ++f) frames.push_back({2, 2, ""});
    frames.push_back({3, 3, "k16"});
    record(frames);

    form().SpeedButton_playClick();

    // The Windows key waits its 25 frames (at 20 ms each), Shift the end of the pass.
    EXPECT_THAT(timeline(), ::testing::IsSupersetOf({"520 key 91 flags 1", "520 key 91 flags 3",
                                                     "640 key 16 flags 0", "640 key 16 flags 2"}));
    EXPECT_EQ(fp.input.calls().size(), 32u + 4u);
}

TEST_F(PlayerTest, HeldKeysTheirRepeatsAndModifierClicksReplayAsPerformed) {
    // Shift held over a click; a Ctrl+click whose Ctrl the recording never saw pressed; the right
    // arrow held over two frames, its last repeat and its release in the second; "A" still held
    // when the recording ended.
    record({{1, 1, "k16", "", "kd16"}, {1, 1, "WM_LBUTTONUP", "WM_LBUTTONDOWN WM_LBUTTONUP", "WM_LBUTTONDOWN+4 WM_LBUTTONUP+4"},
            {1, 1, "", "", "ku16"}, {1, 1, "WM_LBUTTONDOWN", "", "WM_LBUTTONDOWN+2"}, {1, 1, "WM_LBUTTONUP", "", "WM_LBUTTONUP+2"},
            {1, 1, "k39", "", "kd39"}, {1, 1, "k39"}, {1, 1, "k65", "", "kd65"}});

    form().SpeedButton_playClick();

    EXPECT_THAT(eventsOf(timeline()),
                ElementsAre("key 16 flags 0", "mouse 2", "mouse 4", "key 16 flags 2",                    //
                            "key 17 flags 0", "mouse 2", "key 17 flags 2",                               //
                            "key 17 flags 0", "mouse 4", "key 17 flags 2",                               //
                            "key 39 flags 1", "key 39 flags 1", "key 39 flags 3",                        //
                            "key 65 flags 0", "key 65 flags 2"));
}

TEST_F(PlayerTest, TheMiddleButtonAndTheWheelReplay) {
    record({{1, 1, "", "WM_MBUTTONDOWN WM_MBUTTONUP WM_MOUSEWHEEL:-240"}, {1, 1, "", "WM_MOUSEWHEEL:120"}});

    form().SpeedButton_playClick();

    EXPECT_THAT(eventsOf(timeline()), ElementsAre("mouse 32", "mouse 64", "wheel -240", "wheel 120"));
}

TEST_F(PlayerTest, EveryKeyGoesOutWithItsScanCodeAndTheExtendedFlagOfTheKeysThatHaveOne) {
    record({{1, 1, "k37"}, {1, 1, "k190"}});

    form().SpeedButton_playClick();

    std::vector<std::string> keys;
    for (const InputCall& c : fp.input.calls())
        if (c.kind == InputCall::Key) keys.push_back(std::to_string(c.a) + "/" + std::to_string(c.scan) + "/" + std::to_string(c.b));
    // The fake layout gives each key the scan code of its number + 1 (in a byte).
    EXPECT_THAT(keys, ElementsAre("37/38/1", "37/38/3", "190/191/0", "190/191/2"));
}

TEST_F(PlayerTest, AFaultyEventAmongAFramesEventsStopsPlaybackBeforeThatFrameInjectsAnything) {
    record({{1, 1, "k65"}, {2, 2, "k66", "k66 kX+2"}, {3, 3, "k67"}});

    form().SpeedButton_playClick();

    EXPECT_THAT(eventsOf(timeline()), ElementsAre("key 65 flags 0", "key 65 flags 2"));
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "脚本出错，请检查后再运行！");
}

// ---- passes ----

struct PassCase {
    const char* text;
    int passes;
};

void PrintTo(const PassCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class PlayerPassTest : public PlayerTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(PlayerPassTest, PlaysTheFramesOncePerPass) {
    recordPlainFrames(2);
    form().Edit_playt->setText(GetParam().text);

    form().SpeedButton_playClick();

    std::vector<std::string> expected;
    for (int pass = 0; pass < GetParam().passes; ++pass)
        for (int f = 0; f < 2; ++f)
            expected.push_back(std::to_string(20 * (2 * pass + f + 1)) + " cursor " + std::to_string(10 + f) + "," +
                               std::to_string(20 + f));
    EXPECT_THAT(timeline(), ElementsAreArray(expected));
    EXPECT_THAT(factory.statusLog, ElementsAre(kPlaying, kIdle));
    EXPECT_FALSE(form().playing);
    EXPECT_TRUE(form().SpeedButton_play->enabled());
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
}

INSTANTIATE_TEST_SUITE_P(Counts, PlayerPassTest,
                         ::testing::Values(PassCase{"0", 0}, PassCase{"1", 1}, PassCase{"3", 3}, PassCase{"-2", 0}));

class PlayerEndlessTest : public PlayerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlayerEndlessTest, LoopBoxPlaysUntilStopWhateverTheCountField) {
    recordPlainFrames(2);
    form().Edit_playt->setText(GetParam());
    form().CheckBox_loop->setChecked(true);
    at(150, [&] { form().SpeedButton_stopClick(); });

    form().SpeedButton_playClick();

    // Four passes of two frames, less the one whose wait Stop fell into (at 160).
    EXPECT_THAT(cursorTimes(), ElementsAre(20, 40, 60, 80, 100, 120, 140));
    EXPECT_FALSE(form().playing);
}

INSTANTIATE_TEST_SUITE_P(CountFieldTexts, PlayerEndlessTest, ::testing::Values("0", "1", "abc"));

// A recording with no frames to play (no count at all, as a scratch file a crash left behind has,
// or a count of zero or below) still paces its passes like frames, so Stop, the hot keys and the
// close get through and an endless playback of it idles instead of spinning.
class PlayerNoFramesTest : public PlayerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlayerNoFramesTest, EachPassWaitsAFrameAndStopEndsAnEndlessPlayback) {
    profile::writeInteger(recordingPath(), "0", "x", 10);
    if (std::string(GetParam()) != "none") profile::writeString(recordingPath(), "all", "value", GetParam());
    form().Edit_playt->setText("50");

    form().SpeedButton_playClick();

    EXPECT_EQ(fp.pump.now() - start_, 50u * 20u);
    EXPECT_THAT(fp.input.calls(), IsEmpty());

    form().CheckBox_loop->setChecked(true);
    const uint64_t endlessStart = fp.pump.now();
    fp.pump.at(endlessStart + 500, [&] { form().SpeedButton_stopClick(); });

    form().SpeedButton_playClick();

    EXPECT_GE(fp.pump.now() - endlessStart, 500u);
    EXPECT_LE(fp.pump.now() - endlessStart, 540u);
    EXPECT_FALSE(form().playing);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

INSTANTIATE_TEST_SUITE_P(Counts, PlayerNoFramesTest, ::testing::Values("none", "0", "-5"));

TEST_F(PlayerTest, AFolderNamedLikeARecordingIsNoRecording) {
    std::filesystem::create_directory(dir_ + "/jb_rec/x.ini");
    form().recname = "x";

    form().SpeedButton_playClick();

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "名为：'x'脚本文件不存在！");
    EXPECT_FALSE(form().playing);
}

// ---- speed ----

struct SpeedCase {
    int speed;
    uint64_t spacing;
};

void PrintTo(const SpeedCase& c, std::ostream* os) { *os << "speed " << c.speed; }

class PlayerSpeedTest : public PlayerTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(PlayerSpeedTest, WaitsThirtyFiveLessThreeTimesTheSpeedBeforeEachFrame) {
    recordPlainFrames(3);
    const SpeedCase& c = GetParam();
    if (c.speed >= 0 && c.speed <= 10) {
        form().RzTrackBar_speed->setPosition(c.speed);
        form().SpeedButton_playClick();
    } else {
        // Beyond the track bar's range: only a hand-edited plan file gives these.
        form().playrec(1, c.speed, form().recname);
    }
    EXPECT_THAT(cursorTimes(), ElementsAre(c.spacing, 2 * c.spacing, 3 * c.spacing));
}

INSTANTIATE_TEST_SUITE_P(Speeds, PlayerSpeedTest,
                         ::testing::Values(SpeedCase{0, 35}, SpeedCase{5, 20}, SpeedCase{10, 5}, SpeedCase{11, 2},
                                           SpeedCase{12, 0}, SpeedCase{1000000000, 0}, SpeedCase{INT_MAX, 0},
                                           // Every speed below -20000 plays as -20000.
                                           SpeedCase{-20000, 60035}, SpeedCase{INT_MIN, 60035}));

TEST_F(PlayerTest, StopDuringTheMinuteLongWaitOfTheSlowestSpeedEndsThePlaybackAtOnce) {
    recordPlainFrames(2);
    at(1000, [&] { form().SpeedButton_stopClick(); });
    form().playrec(1, kSlowestSpeed, form().recname);
    EXPECT_EQ(fp.pump.now() - start_, 1000u);
    EXPECT_THAT(cursorTimes(), ::testing::IsEmpty());
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

// ---- the frames keep to their schedule ----

TEST_F(PlayerTest, AFrameThatComesLateDoesNotPutOffTheFramesAfterIt) {
    recordPlainFrames(5);
    // A message handled in frame 1's wait holds the thread past its due time.
    at(35, [&] { fp.pump.advance(10); });

    form().SpeedButton_playClick();

    EXPECT_THAT(cursorTimes(), ElementsAre(20, 45, 60, 80, 100));
}

TEST_F(PlayerTest, AfterAStallTheFramesKeepTheirSpacingFromTheLateFrame) {
    recordPlainFrames(6);
    at(50, [&] { fp.pump.advance(200); });

    form().SpeedButton_playClick();

    EXPECT_THAT(cursorTimes(), ElementsAre(20, 40, 250, 270, 290, 310));
}

TEST_F(PlayerTest, AnEndlessPlaybackKeepsOneScheduleAcrossItsPasses) {
    recordPlainFrames(10);
    form().CheckBox_loop->setChecked(true);
    const int passes = 36;
    fp.input.callCostMs = 7;  // each frame's work, within the catch-up allowance
    at(passes * 200 + 10, [&] { form().SpeedButton_stopClick(); });

    form().SpeedButton_playClick();

    const std::vector<uint64_t> times = cursorTimes();
    ASSERT_GE(times.size(), passes * 10u);
    EXPECT_NEAR(static_cast<double>(times[passes * 10 - 1]), passes * 200.0, 50.0);
}

// ---- the frame count is read before every frame ----

TEST_F(PlayerTest, ALowerFrameCountWrittenDuringThePassEndsItEarly) {
    recordPlainFrames(5);
    at(30, [&] { setFrameCount(2); });

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 10,20", "40 cursor 11,21"));
}

TEST_F(PlayerTest, AHigherFrameCountWrittenDuringThePassPlaysTheExtraFrames) {
    record({{10, 20, ""}, {11, 21, ""}, {12, 22, "k65"}, {13, 23, ""}}, 2);
    at(30, [&] { setFrameCount(4); });

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 10,20", "40 cursor 11,21", "60 cursor 12,22", "60 key 65 flags 0",
                                        "60 key 65 flags 2", "80 cursor 13,23"));
}

TEST_F(PlayerTest, FramesBeyondTheStoredSectionsPlayAtTheOriginWithoutEvent) {
    record({{10, 20, "WM_LBUTTONDOWN"}, {11, 21, "WM_LBUTTONUP"}}, 4);

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 10,20", "20 mouse 2", "40 cursor 11,21", "40 mouse 4",
                                        "60 cursor 0,0", "80 cursor 0,0"));
}

// ---- stop and pause ----

TEST_F(PlayerTest, StopDuringAWaitEndsThePlaybackWithoutThatFrame) {
    recordPlainFrames(5);
    bool playDisabled = false, recDisabled = false, convertDisabled = false;
    std::string statusDuring;
    at(30, [&] {
        playDisabled = !form().SpeedButton_play->enabled();
        recDisabled = !form().SpeedButton_rec->enabled();
        convertDisabled = !form().SpeedButton_toscript->enabled();
        statusDuring = form().StatusBar->panelText(0);
    });
    at(50, [&] { form().SpeedButton_stopClick(); });

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 10,20", "40 cursor 11,21"));
    EXPECT_TRUE(playDisabled);
    EXPECT_TRUE(recDisabled);
    EXPECT_TRUE(convertDisabled);
    EXPECT_EQ(statusDuring, kPlaying);
    EXPECT_FALSE(form().playing);
    EXPECT_TRUE(form().SpeedButton_play->enabled());
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
    EXPECT_TRUE(form().SpeedButton_toscript->enabled());
    EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

TEST_F(PlayerTest, PauseHoldsTheFramesUntilPressedAgain) {
    recordPlainFrames(5);
    std::string captionWhilePaused;
    bool pausedFlags = false;
    at(30, [&] { form().SpeedButton_pauseClick(); });
    at(70, [&] {
        captionWhilePaused = form().SpeedButton_pause->text();
        pausedFlags = form().playpause && form().recpause;
    });
    at(100, [&] { form().SpeedButton_pauseClick(); });

    form().SpeedButton_playClick();

    EXPECT_EQ(captionWhilePaused, "继续");
    EXPECT_TRUE(pausedFlags);
    EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");
    const std::vector<uint64_t> times = cursorTimes();
    ASSERT_EQ(times.size(), 5u);
    EXPECT_EQ(times[0], 20u);
    // Frame 1's wait ended inside the pause; it comes at most one pause step after the resume.
    EXPECT_GE(times[1], 100u);
    EXPECT_LE(times[1], 120u);
    for (size_t f = 2; f < times.size(); ++f) EXPECT_EQ(times[f], times[f - 1] + 20) << "frame " << f;
}

TEST_F(PlayerTest, WhatThePlaybackHoldsIsLetGoForThePauseAndPressedAgainWhereItWasOnResume) {
    // Shift held over a left button held down, both let go in the second frame.
    record({{1, 1, "WM_LBUTTONDOWN", "k16 WM_LBUTTONDOWN", "kd16 WM_LBUTTONDOWN+4"},
            {5, 5, "WM_LBUTTONUP", "", "WM_LBUTTONUP+4 ku16"}});
    at(30, [&] { form().SpeedButton_pauseClick(); });
    at(60, [&] { fp.input.setCursorPos(300, 300); });  // the user's own pointer during the pause
    at(100, [&] { form().SpeedButton_pauseClick(); });

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 1,1", "20 key 16 flags 0", "20 mouse 2",  //
                                        "30 key 16 flags 2", "30 mouse 4",                  //
                                        "60 cursor 300,300",                                 //
                                        "100 key 16 flags 0", "100 cursor 1,1", "100 mouse 2",  //
                                        "120 cursor 5,5", "120 mouse 4", "120 key 16 flags 2"));
}

TEST_F(PlayerTest, TheStopAndPauseKeysAnswerWhileThePlaybackHoldsAModifier) {
    using platform::kModControl;
    using platform::kModShift;
    struct Press {
        const char* name;
        int key;
        uint32_t modifiers;  // as the keyboard library reports them, the replayed Shift among them
        bool capturing;  // a key field has the focus
        bool playingAfter, pausedAfter;
    };
    for (const Press& p : {Press{"Ctrl+Q", 'Q', kModControl | kModShift, false, false, false},
                           Press{"F9", 120, kModShift, false, true, true},
                           Press{"Q, which is no hot key", 'Q', kModShift, false, true, false},
                           Press{"F9 into a key field", 120, kModShift, true, true, false},
                           Press{"Ctrl+Q while a key field has the focus", 'Q', kModControl | kModShift, true, false, false}}) {
        SCOPED_TRACE(p.name);
        start_ = fp.pump.now();
        form().capture_kb = p.capturing;
        std::vector<Frame> frames = {{1, 1, "k16", "", "kd16"}};
        for (int f = 1; f < 10; ++f) frames.push_back({1, 1, "", "", ""});
        record(frames);
        bool playing = false, paused = false;
        at(50, [&] {
            form().onMessage(form().keymsg[static_cast<size_t>(p.key)], static_cast<uintptr_t>(p.key), p.modifiers);
            playing = form().playing;
            paused = form().playpause;
            form().SpeedButton_stopClick();
        });

        form().SpeedButton_playClick();

        EXPECT_EQ(playing, p.playingAfter);
        EXPECT_EQ(paused, p.pausedAfter);
        form().capture_kb = false;
    }
}

TEST_F(PlayerTest, StopWhilePausedPlaysNoMoreFramesAndResetsThePauseCaption) {
    recordPlainFrames(5);
    at(30, [&] { form().SpeedButton_pauseClick(); });
    at(90, [&] { form().SpeedButton_stopClick(); });

    form().SpeedButton_playClick();

    EXPECT_THAT(cursorTimes(), ElementsAre(20u));
    EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");
    EXPECT_FALSE(form().playpause);
    EXPECT_FALSE(form().recpause);
}

struct PauseCase {
    bool recording, playing, pauses;
};

void PrintTo(const PauseCase& c, std::ostream* os) {
    *os << "recording=" << c.recording << " playing=" << c.playing;
}

class PlayerPauseButtonTest : public PlayerTest, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PlayerPauseButtonTest, PausesOnlyARunningRecordingOrPlayback) {
    form().recording = GetParam().recording;
    form().playing = GetParam().playing;

    form().SpeedButton_pauseClick();

    EXPECT_EQ(form().recpause, GetParam().pauses);
    EXPECT_EQ(form().playpause, GetParam().pauses);
    EXPECT_EQ(form().SpeedButton_pause->text(), GetParam().pauses ? "继续" : "暂停");
}

INSTANTIATE_TEST_SUITE_P(States, PlayerPauseButtonTest,
                         ::testing::Values(PauseCase{false, false, false}, PauseCase{true, false, true},
                                           PauseCase{false, true, true}));

// ---- Ctrl+Z during playback ----

TEST_F(PlayerTest, PlayHotKeyDuringPlaybackNestsASecondPlaybackThatEndsTheFirst) {
    record({{1, 1, "k65"}, {2, 2, "k66"}, {3, 3, "k67"}});
    at(10, [&] { form().OnWMHotKey(HK_Play); });

    form().SpeedButton_playClick();

    // The nested playback plays all three frames from 10 on; its end ends the outer one, which
    // was waiting for its first frame.
    EXPECT_THAT(timeline(), ElementsAre("30 cursor 1,1", "30 key 65 flags 0", "30 key 65 flags 2", "50 cursor 2,2",
                                        "50 key 66 flags 0", "50 key 66 flags 2", "70 cursor 3,3",
                                        "70 key 67 flags 0", "70 key 67 flags 2"));
    EXPECT_FALSE(form().playing);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

// ---- failures ----

TEST_F(PlayerTest, MissingRecordingIsReportedAndNothingPlays) {
    form().recname = "nosuch";

    form().SpeedButton_playClick();

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "名为：'nosuch'脚本文件不存在！");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(fp.dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_FALSE(form().playing);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
    EXPECT_TRUE(form().SpeedButton_play->enabled());
}

TEST_F(PlayerTest, BadKeyNumberStopsPlaybackWithAMessage) {
    record({{10, 20, "k65"}, {11, 21, ""}, {12, 22, "kx"}, {13, 23, "k66"}});
    form().Edit_playt->setText("2");
    size_t callsAtMessage = 0;
    fp.dialogs.onShow = [&](const fake::ShownMessage&) { callsAtMessage = fp.input.calls().size(); };

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 10,20", "20 key 65 flags 0", "20 key 65 flags 2",
                                        "40 cursor 11,21", "60 cursor 12,22"));
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "脚本出错，请检查后再运行！");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(fp.dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(callsAtMessage, 5u) << "the faulty frame's cursor call comes before the message";
    EXPECT_EQ(form().Label_playfra->text(), "1");
    EXPECT_FALSE(form().playing);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

TEST_F(PlayerTest, PassCountThatIsNoThirtyTwoBitNumberFailsTheClick) {
    recordPlainFrames(2);
    form().Edit_playt->setText("99999999999");

    try {
        form().SpeedButton_playClick();
        ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }

    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_FALSE(form().playing);
    // Nothing started, so nothing stays disabled.
    EXPECT_TRUE(form().SpeedButton_play->enabled());
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
}

// ---- buttons left pressed ----

struct ButtonCase {
    const char* down;
    const char* up;
    int upFlags;
};

void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.down; }

class PlayerHeldButtonTest : public PlayerTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(PlayerHeldButtonTest, StopBetweenDownAndUpReleasesTheButtonOnce) {
    const ButtonCase& c = GetParam();
    record({{0, 0, ""}, {1, 1, c.down}, {2, 2, ""}, {3, 3, ""}, {4, 4, ""}, {5, 5, c.up}});
    at(70, [&] { form().SpeedButton_stopClick(); });

    form().SpeedButton_playClick();

    const std::vector<std::string> calls = timeline();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "70 mouse " + std::to_string(c.upFlags));
    EXPECT_EQ(mouseCalls(c.upFlags), 1);
    EXPECT_THAT(cursorTimes(), ElementsAre(20, 40, 60));
}

TEST_P(PlayerHeldButtonTest, BadKeyAfterADownReleasesTheButton) {
    const ButtonCase& c = GetParam();
    record({{0, 0, c.down}, {1, 1, "k"}, {2, 2, c.up}});

    form().SpeedButton_playClick();

    EXPECT_EQ(mouseCalls(c.upFlags), 1);
    EXPECT_EQ(fp.dialogs.shown.size(), 1u);
}

TEST_P(PlayerHeldButtonTest, PlaybackThatRunsToItsEndKeepsTheButtonHeld) {
    const ButtonCase& c = GetParam();
    record({{0, 0, ""}, {1, 1, c.down}, {2, 2, ""}});

    form().SpeedButton_playClick();

    EXPECT_EQ(mouseCalls(c.upFlags), 0);
}

INSTANTIATE_TEST_SUITE_P(Buttons, PlayerHeldButtonTest,
                         ::testing::Values(ButtonCase{"WM_LBUTTONDOWN", "WM_LBUTTONUP", 4},
                                           ButtonCase{"WM_RBUTTONDOWN", "WM_RBUTTONUP", 16}));

// ---- the pass-count field ----

TEST_F(PlayerTest, CountFieldTakesDigitsAndBackspaceOnly) {
    for (char typed : {'0', '5', '9', '\b'}) {
        char key = typed;
        form().Edit_playtKeyPress(*form().Edit_playt, key);
        EXPECT_EQ(key, typed) << "code " << int(typed);
    }
    EXPECT_THAT(fp.dialogs.beeps, IsEmpty());

    for (char typed : {'a', ' ', '-', '/', ':'}) {
        char key = typed;
        form().Edit_playtKeyPress(*form().Edit_playt, key);
        EXPECT_EQ(key, 0) << "'" << typed << "'";
    }
    EXPECT_THAT(fp.dialogs.beeps, ElementsAre(1u, 1u, 1u, 1u, 1u));
}

TEST_F(PlayerTest, EmptiedCountFieldBecomesOneSelected) {
    for (const char* text : {"", "   "}) {
        MemoryEdit& edit = as<MemoryEdit>(*form().Edit_playt);
        edit.setText(text);
        form().Edit_playtChange(edit);
        EXPECT_EQ(edit.text(), "1") << "'" << text << "'";
        EXPECT_EQ(edit.selection(), std::make_pair(0, 1)) << "'" << text << "'";
    }
}

TEST_F(PlayerTest, CountFieldWithADigitStaysAsTyped) {
    for (const char* text : {"5", " 5 "}) {
        MemoryEdit& edit = as<MemoryEdit>(*form().Edit_playt);
        edit.setText(text);
        const auto selection = edit.selection();
        form().Edit_playtChange(edit);
        EXPECT_EQ(edit.text(), text);
        EXPECT_EQ(edit.selection(), selection);
    }
}

TEST_F(PlayerTest, LoopBoxDisablesAndGreysTheCountField) {
    form().CheckBox_loop->setChecked(true);
    form().CheckBox_loopClick();
    EXPECT_FALSE(form().Edit_playt->enabled());
    EXPECT_EQ(form().Edit_playt->background(), ui::SysColor::Light3D);

    form().CheckBox_loop->setChecked(false);
    form().CheckBox_loopClick();
    EXPECT_TRUE(form().Edit_playt->enabled());
    EXPECT_EQ(form().Edit_playt->background(), ui::SysColor::Window);
}

// ---- following the recorded windows ----

namespace following {

const platform::TopWindow kEditor{1, "a.txt - 记事本", "Notepad"};
const platform::TopWindow kOther{2, "画图", "MSPaintApp"};

// Recorded in kEditor with its client area at (100, 100): a drag from (30, 40) to (40, 50) in it,
// then a key with the pointer at (5, 6). The first and the last frame carry a note.
struct FollowCase {
    const char* name;
    platform::WindowPlace editorNow;
    bool follow;
    std::vector<std::string> cursors;
};

void PrintTo(const FollowCase& c, std::ostream* os) { *os << c.name; }

class FollowingTest : public PlayerTest {
protected:
    void recordInEditor() {
        record({{130, 140, "WM_LBUTTONDOWN"}, {140, 150, "WM_LBUTTONUP"}, {105, 106, "k65"}});
        note(0, 30, 40);
        note(2, 5, 6);
    }
    void note(int frame, int x, int y, const platform::TopWindow& window = kEditor, bool keyboard = false) {
        WindowNote n;
        n.className = window.className;
        n.title = window.title;
        n.clientX = x;
        n.clientY = y;
        n.keyboard = keyboard;
        writeWindowNote(recordingPath(), std::to_string(frame), n);
    }
    std::vector<std::string> cursors() const {
        std::vector<std::string> out;
        for (const std::string& call : timeline())
            if (call.find(" cursor ") != std::string::npos) out.push_back(call.substr(call.find(' ') + 1));
        return out;
    }
};

class WindowFollowTest : public FollowingTest, public ::testing::WithParamInterface<FollowCase> {};

TEST_P(WindowFollowTest, ClicksLandAtTheRecordedPlacesInTheWindowWhereverItIsNow) {
    recordInEditor();
    fp.topWindows.windows = {kEditor};
    fp.topWindows.places = {{kEditor.handle, GetParam().editorNow}};
    form().windowFollowChoice().box().setChecked(GetParam().follow);

    form().SpeedButton_playClick();

    EXPECT_THAT(cursors(), ElementsAreArray(GetParam().cursors));
    EXPECT_THAT(eventsOf(timeline()), ElementsAre("mouse 2", "mouse 4", "key 65 flags 0", "key 65 flags 2"));
}

INSTANTIATE_TEST_SUITE_P(
    Places, WindowFollowTest,
    ::testing::Values(
        FollowCase{"Unmoved", {{100, 100, 300, 200}, 96}, true, {"cursor 130,140", "cursor 140,150", "cursor 105,106"}},
        FollowCase{"MovedAndResized", {{250, 200, 500, 350}, 96}, true,
                   {"cursor 280,240", "cursor 290,250", "cursor 255,206"}},
        // 30 * 1.5 = 45, the drag's 10 becomes 15, 5 * 1.5 = 7.5 rounds to 8.
        FollowCase{"At144Dpi", {{250, 200, 450, 300}, 144}, true, {"cursor 295,260", "cursor 310,275", "cursor 258,209"}},
        FollowCase{"ScreenPositionsChosen", {{250, 200, 500, 350}, 96}, false,
                   {"cursor 130,140", "cursor 140,150", "cursor 105,106"}}),
    [](const ::testing::TestParamInfo<FollowCase>& info) { return std::string(info.param.name); });

TEST_F(WindowFollowTest, AWindowBehindAnotherComesToTheFrontBeforeItsInputAndOnlyThen) {
    // Frame 1 only moves into the other window; frame 2 clicks in it.
    record({{130, 140, "WM_LBUTTONDOWN"}, {400, 400, ""}, {410, 400, "WM_LBUTTONDOWN"}});
    note(0, 30, 40);
    note(1, 0, 0, kOther);
    note(2, 10, 0, kOther);
    fp.topWindows.windows = {kOther, kEditor};  // the other in front
    fp.topWindows.places = {{kEditor.handle, {{100, 100, 300, 200}, 96}}, {kOther.handle, {{400, 400, 300, 200}, 96}}};
    std::vector<int> clicksBeforeEach;
    fp.topWindows.onBringToFront = [&](uintptr_t) { clicksBeforeEach.push_back(mouseCalls(platform::kMouseLeftDown)); };

    form().SpeedButton_playClick();

    // The editor is behind at the first click; the other window at the last, since the editor took the front.
    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAre(kEditor.handle, kOther.handle));
    EXPECT_THAT(clicksBeforeEach, ElementsAre(0, 1));
}

TEST_F(WindowFollowTest, AWindowThatHasTheInputButIsCoveredWhereItIsClickedComesToTheFrontFirst) {
    record({{130, 140, "WM_LBUTTONDOWN"}});
    note(0, 30, 40);
    fp.topWindows.windows = {kOther, kEditor};
    fp.topWindows.inputWindow = kEditor.handle;
    fp.topWindows.places = {{kEditor.handle, {{100, 100, 300, 200}, 96}}, {kOther.handle, {{0, 0, 400, 400}, 96}}};

    form().SpeedButton_playClick();

    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAre(kEditor.handle));
}

TEST_F(WindowFollowTest, AMinimisedWindowIsRestoredAndGetsItsInput) {
    recordInEditor();
    fp.topWindows.windows = {kEditor};
    fp.topWindows.places = {{kEditor.handle, {{250, 200, 500, 350}, 96}}};
    fp.topWindows.minimised = {kEditor.handle};

    form().SpeedButton_playClick();

    EXPECT_THAT(cursors(), ElementsAre("cursor 280,240", "cursor 290,250", "cursor 255,206"));
    EXPECT_TRUE(fp.dialogs.shown.empty());
}

TEST_F(WindowFollowTest, AMissingWindowStopsThePlaybackWithItsNameAfterWaitingAndInjectsNothingThere) {
    // A key held down in the editor, then a click in a window that never comes.
    record({{130, 140, "k16", "", "kd16"}, {400, 400, "WM_LBUTTONDOWN"}, {400, 400, "WM_LBUTTONUP"}});
    note(0, 30, 40);
    note(1, 0, 0, kOther);
    fp.topWindows.windows = {kEditor};
    fp.topWindows.places = {{kEditor.handle, {{100, 100, 300, 200}, 96}}};

    form().SpeedButton_playClick();

    EXPECT_THAT(timeline(), ElementsAre("20 cursor 130,140", "20 key 16 flags 0", "3040 key 16 flags 2"));
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "找不到窗口：画图，播放已停止");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_FALSE(form().playing);
}

TEST_F(WindowFollowTest, TheWaitForAWindowAnswersStopAndPauseAtOnce) {
    // A key held down in the editor, then a click in a window that is not there yet.
    record({{130, 140, "k16", "", "kd16"}, {400, 400, "WM_LBUTTONDOWN"}, {400, 400, "WM_LBUTTONUP"}});
    note(0, 30, 40);
    note(1, 0, 0, kOther);
    fp.topWindows.windows = {kEditor};
    fp.topWindows.places = {{kEditor.handle, {{100, 100, 300, 200}, 96}}, {kOther.handle, {{300, 300, 300, 200}, 96}}};

    // Stopped while it waits: the key is let go then, and nothing else comes.
    at(250, [&] { form().SpeedButton_stopClick(); });
    form().SpeedButton_playClick();
    EXPECT_THAT(timeline(), ElementsAre("20 cursor 130,140", "20 key 16 flags 0", "250 key 16 flags 2"));

    // Paused while it waits, the window coming meanwhile: its click waits for the end of the pause.
    fp.input.clear();
    start_ = fp.pump.now();
    at(100, [&] { form().SpeedButton_pauseClick(); });
    at(150, [&] { fp.topWindows.windows.push_back(kOther); });
    at(600, [&] { form().SpeedButton_pauseClick(); });
    form().SpeedButton_playClick();
    const std::vector<InputCall>& calls = fp.input.calls();
    const auto click = std::find_if(calls.begin(), calls.end(), [](const InputCall& c) {
        return c.kind == InputCall::Mouse && c.a == static_cast<int>(platform::kMouseLeftDown);
    });
    ASSERT_NE(click, calls.end());
    EXPECT_GE(click->time - start_, 600u);
    EXPECT_LE(click->time - start_, 620u);
    EXPECT_TRUE(fp.dialogs.shown.empty());
}

// Recordings of earlier versions noted every window the pointer crossed: a crossed window that is
// gone stops nothing, and the pointer's path takes the place of the window its next input goes to.
TEST_F(WindowFollowTest, APathFollowsTheWindowOfTheInputItLeadsToAndNeverWaitsForAWindowItOnlyCrossed) {
    const platform::TopWindow crossed{3, "临时", "TempWindow"};
    record({{130, 140, "WM_LBUTTONDOWN"}, {300, 300, ""}, {410, 400, ""}, {420, 410, "WM_LBUTTONDOWN"}, {500, 500, ""}});
    note(0, 30, 40);
    note(1, 0, 0, crossed);
    note(3, 20, 10, kOther);
    fp.topWindows.windows = {kEditor, kOther};
    fp.topWindows.places = {{kEditor.handle, {{250, 200, 300, 200}, 96}}, {kOther.handle, {{450, 460, 300, 200}, 96}}};

    form().SpeedButton_playClick();

    // The last frame leads to no input: it plays where it was recorded.
    EXPECT_THAT(cursors(), ElementsAre("cursor 280,240", "cursor 350,360", "cursor 460,460", "cursor 470,470",
                                       "cursor 500,500"));
    EXPECT_EQ(mouseCalls(platform::kMouseLeftDown), 2);
    EXPECT_TRUE(fp.dialogs.shown.empty());
}

TEST_F(FollowingTest, AClickIntoAMenuOrAnOpenDropDownListRaisesNothingFirst) {
    for (const platform::TopWindow& list : {platform::TopWindow{3, "", "#32768"}, platform::TopWindow{3, "", "ComboLBox"}}) {
        record({{130, 140, "WM_LBUTTONDOWN"}});
        note(0, 30, 40, list);
        // An open list or menu lies over every other window.
        fp.topWindows.windows = {list, kEditor};
        fp.topWindows.places = {{kEditor.handle, {{0, 0, 400, 400}, 96}}, {list.handle, {{100, 100, 100, 200}, 96}}};
        fp.topWindows.broughtToFront.clear();

        form().SpeedButton_playClick();

        EXPECT_THAT(fp.topWindows.broughtToFront, IsEmpty()) << list.className;
        EXPECT_EQ(mouseCalls(platform::kMouseLeftDown), 1 + (list.className == "ComboLBox")) << list.className;
    }
}

// A key typed into the editor with the pointer resting on the other program, which covers the place.
struct KeyboardCase {
    const char* name;
    uintptr_t inputWindow;  // 0: the front window has the keyboard
    std::vector<uintptr_t> raised;
};

void PrintTo(const KeyboardCase& c, std::ostream* os) { *os << c.name; }

class KeyboardWindowTest : public FollowingTest, public ::testing::WithParamInterface<KeyboardCase> {};

TEST_P(KeyboardWindowTest, AKeyRaisesTheWindowThatHadTheKeyboardOnlyWhereAnotherHasItNow) {
    record({{450, 450, "k65"}});
    note(0, 350, 350, kEditor, true);
    fp.topWindows.windows = {kOther, kEditor};
    fp.topWindows.inputWindow = GetParam().inputWindow;
    fp.topWindows.places = {{kEditor.handle, {{100, 100, 300, 200}, 96}}, {kOther.handle, {{400, 400, 300, 200}, 96}}};

    form().SpeedButton_playClick();

    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAreArray(GetParam().raised));
    EXPECT_THAT(eventsOf(timeline()), ElementsAre("key 65 flags 0", "key 65 flags 2"));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, KeyboardWindowTest,
                         ::testing::Values(KeyboardCase{"ItsWindowHasTheKeyboard", kEditor.handle, {}},
                                           KeyboardCase{"AnotherHasTheKeyboard", 0, {kEditor.handle}}),
                         [](const ::testing::TestParamInfo<KeyboardCase>& info) { return std::string(info.param.name); });

}  // namespace following

}  // namespace
}  // namespace tapmill
