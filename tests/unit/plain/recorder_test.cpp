// The plain recorder driven through the main window's handlers on the fake pump's virtual clock.
// The user's pointer stands at x = the virtual milliseconds since the test began, so each frame's
// x is the moment it was sampled.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "capture/hook_messages.h"
#include "common/error.h"
#include "common/profile.h"
#include "plain/window_note.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;

const char* const kIdle = "当前状态：";
const char* const kRecording = "当前状态：录制……";

struct RecordedFrame {
    int x;
    std::string kp;  // empty: no event
    bool operator==(const RecordedFrame& o) const { return x == o.x && kp == o.kp; }
};

void PrintTo(const RecordedFrame& f, std::ostream* os) { *os << "{" << f.x << ", \"" << f.kp << "\"}"; }

class RecorderTest : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        start_ = fp.pump.now();
        fp.input.userPointer = [this] { return platform::Point{static_cast<int>(fp.pump.now() - start_), 7}; };
        form_ = &shownForm();
        form_->Label_recjbname->setText("older");
        form_->recname = "older";
    }

    TForm_maintapmill& form() { return *form_; }
    std::string scratch() const { return form_->exedir + "jb_rec\\jb_rec.ini"; }
    std::string scratchOnDisk() const { return file("jb_rec/jb_rec.ini"); }

    void at(uint64_t ms, std::function<void()> fn) { fp.pump.at(start_ + ms, std::move(fn)); }

    // What the hook libraries would deliver, if they are switched on.
    void mouseAt(uint64_t ms, uint32_t offset) {
        at(ms, [this, offset] {
            if (fp.hooks.mouseOn) form().onMessage(fp.hooks.mouseBase + offset, 0, 0);
        });
    }
    void keyAt(uint64_t ms, int number) {
        at(ms, [this, number] {
            if (fp.hooks.keysOn) form().onMessage(form().keymsg[static_cast<size_t>(number)], 0, 0);
        });
    }
    // A message handler that keeps the thread busy.
    void busyAt(uint64_t ms, uint32_t busyMs) {
        at(ms, [this, busyMs] { fp.pump.advance(busyMs); });
    }
    void stopAt(uint64_t ms) {
        at(ms, [this] { form().OnWMHotKey(HK_Stop); });
    }

    std::vector<RecordedFrame> frames() const {
        std::vector<RecordedFrame> out;
        const int32_t count = profile::readInteger(scratch(), "all", "value", -1);
        for (int32_t f = 0; f < count; ++f) {
            const std::string section = std::to_string(f);
            EXPECT_EQ(profile::readInteger(scratch(), section, "y", -1), 7) << "frame " << f;
            out.push_back({profile::readInteger(scratch(), section, "x", -1), profile::readString(scratch(), section, "kp", "")});
        }
        return out;
    }
    std::vector<int> frameTimes() const {
        std::vector<int> out;
        for (const RecordedFrame& f : frames()) out.push_back(f.x);
        return out;
    }

private:
    TForm_maintapmill* form_ = nullptr;
    uint64_t start_ = 0;
};

// ---- the loop ----

TEST_F(RecorderTest, SamplesAFrameEveryPeriodUntilStopAndTheFrameStopFellIntoIsKept) {
    bool recordingMeanwhile = false, buttonsDisabled = false;
    std::string statusMeanwhile;
    at(50, [&] {
        recordingMeanwhile = form().recording;
        statusMeanwhile = form().StatusBar->panelText(0);
        buttonsDisabled = !form().SpeedButton_rec->enabled() && !form().SpeedButton_play->enabled() &&
                          !form().SpeedButton_toscript->enabled();
    });
    stopAt(105);

    form().SpeedButton_recClick();

    EXPECT_THAT(frameTimes(), ElementsAre(20, 40, 60, 80, 100, 120));
    EXPECT_TRUE(recordingMeanwhile);
    EXPECT_EQ(statusMeanwhile, kRecording);
    EXPECT_TRUE(buttonsDisabled);
    EXPECT_FALSE(form().recording);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
    EXPECT_EQ(form().Label_recfra->text(), "5");
    EXPECT_EQ(form().Label_recjbname->text(), "jb_rec");
    EXPECT_EQ(form().recname, "jb_rec");
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
    EXPECT_TRUE(form().SpeedButton_play->enabled());
    EXPECT_TRUE(form().SpeedButton_toscript->enabled());
    EXPECT_THAT(fp.hooks.calls, ElementsAre("StartHook 4660 1152", "EnableHotKeyHook", "StopHook", "DisableHotKeyHook"));
}

TEST_F(RecorderTest, StopRightAfterTheStartStillLeavesOneFrame) {
    stopAt(0);

    form().OnWMHotKey(HK_Record);

    EXPECT_THAT(frameTimes(), ElementsAre(20));
    EXPECT_EQ(form().Label_recfra->text(), "0");
}

TEST_F(RecorderTest, TheFrameCounterFollowsWithinATenthOfASecondAndEndsOnTheLastFrame) {
    std::vector<std::pair<int32_t, std::string>> seen;  // frames written, the counter shown
    for (uint64_t ms : {30, 110, 250, 330}) at(ms, [&] { seen.emplace_back(form().recFrame, form().Label_recfra->text()); });
    stopAt(345);

    form().SpeedButton_recClick();

    ASSERT_EQ(seen.size(), 4u);
    for (const auto& [written, shown] : seen) {
        EXPECT_LE(std::stoi(shown), written - 1) << "at frame " << written;
        EXPECT_GE(std::stoi(shown), written - 5) << "at frame " << written;
    }
    EXPECT_EQ(frames().size(), 18u);
    EXPECT_EQ(form().Label_recfra->text(), "17");
}

TEST_F(RecorderTest, StartsTheScratchFileAfresh) {
    write("jb_rec/jb_rec.ini", "[old]\nx=1\n[0]\nkp=k65\nx=5\ny=5\n[1]\nx=6\ny=6\n[all]\nvalue=2\n");
    stopAt(30);

    form().SpeedButton_recClick();

    EXPECT_THAT(profile::sectionNames(scratch()), ElementsAre("0", "1", "all"));
    EXPECT_THAT(frames(), ElementsAre(RecordedFrame{20, ""}, RecordedFrame{40, ""}));
}

TEST_F(RecorderTest, KeepsItsCadenceFromTheStartWhenFramesRunLate) {
    busyAt(39, 7);    // frame 1 is taken at 46; frame 2 is still due at 60
    busyAt(75, 100);  // frame 3 is taken at 175; frames 4 to 7, due meanwhile, follow at once
    stopAt(190);

    form().SpeedButton_recClick();

    EXPECT_THAT(frameTimes(), ElementsAre(20, 46, 60, 175, 175, 175, 175, 175, 180, 200));
}

TEST_F(RecorderTest, ReachingTheFrameLimitEndsTheRecordingWithItsMessage) {
    at(30, [&] { form().recFrame = 999999998; });

    form().SpeedButton_recClick();

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "所做的记录时间超过了软件本身所能给定的时间！");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(profile::readInteger(scratch(), "all", "value", 0), 1000000000);
    EXPECT_THAT(profile::sectionNames(scratch()), ElementsAre("0", "999999998", "999999999", "all"));
    EXPECT_EQ(profile::readInteger(scratch(), "999999999", "x", 0), 60);
    EXPECT_FALSE(form().recording);
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
}

// ---- events and frames ----

TEST_F(RecorderTest, AnEventBelongsToTheFrameSampledAfterItAndStandsBeforeItsPosition) {
    mouseAt(5, kMouseLeftDownOffset);  // the first 20 ms: frame 0
    keyAt(41, 65);                     // just after frame 1: frame 2
    stopAt(50);

    form().SpeedButton_recClick();

    EXPECT_THAT(frames(), ElementsAre(RecordedFrame{20, "WM_LBUTTONDOWN"}, RecordedFrame{40, ""},
                                      RecordedFrame{60, "k65"}));
    EXPECT_THAT(profile::keyNames(scratch(), "0"), ElementsAre("kp", "x", "y"));
}

// ---- window notes ----

// A button goes to the window under the point the mouse library reported it at, a key to the window
// the keyboard library reported as having the keyboard at the press: the pointer may have moved on,
// and a key that closes a dialog may have closed it, by the time the message is handled. A frame
// without a button or key notes nothing, and a click on the program's own window (the "结束" that
// ends the recording) is no part of the recording.
TEST_F(RecorderTest, EachInputNotesTheWindowItWentToAndNothingElseIsNoted) {
    // Side by side along the pointer's path: a program, another program at 144 DPI, Tapmill; a
    // dialog of the first program off the path.
    const platform::TopWindow editor{1, "a.txt - 记事本", "Notepad"}, dialog{4, "另存为", "#32770"};
    fp.topWindows.windows = {editor, {2, "画图", "MSPaintApp"}, {3, "Tapmill", "TForm_maintapmill"}, dialog};
    fp.topWindows.places = {{1, {{10, 0, 50, 20}, 96}},
                            {2, {{60, 0, 80, 20}, 144}},
                            {3, {{140, 0, 100, 20}, 96}},
                            {4, {{300, 0, 50, 20}, 96}}};
    fp.topWindows.ownWindows = {3};
    // The keyboard stays with the editor while the pointer rests on the other program.
    fp.topWindows.inputWindow = editor.handle;
    const uint32_t keyboardWindowMsg = fp.hotkeys.registerWindowMessage(kKeyboardWindowMessageName);
    const auto buttonAt = [&](uint64_t ms, uint32_t offset, int x, int y) {
        at(ms, [this, offset, x, y] { form().onMessage(fp.hooks.mouseBase + offset, pointInWParam(x, y), kPointInWParamFlag); });
    };
    const auto keyIn = [&](uint64_t ms, int number, uintptr_t window) {
        at(ms, [this, keyboardWindowMsg, number, window] {
            form().onMessage(keyboardWindowMsg, window, 0);
            form().onMessage(form().keymsg[static_cast<size_t>(number)], 0, 0);
        });
    };
    buttonAt(65, kMouseLeftDownOffset, 55, 5);  // frame 3: pressed in the editor, handled over the other
    buttonAt(67, kMouseLeftUpOffset, 56, 5);
    keyIn(85, 65, editor.handle);               // frame 4: typed with the pointer over the other program
    keyIn(105, 66, dialog.handle);              // frame 5: into the dialog
    keyIn(125, 13, dialog.handle);              // frame 6: Enter closes the dialog before it is handled
    at(124, [&] { fp.topWindows.windows.pop_back(); });
    mouseAt(145, kMouseLeftUpOffset);           // frame 7: a release on Tapmill whose press came before
    mouseAt(150, kMouseLeftDownOffset);         // and "结束" on Tapmill
    mouseAt(152, kMouseLeftUpOffset);
    stopAt(165);

    form().SpeedButton_recClick();

    struct Noted {
        std::string kp, className;  // className empty: no note
        bool keyboard = false;
        int x = 0, y = 0;  // a button's place in the window
    };
    const std::vector<Noted> expected = {
        {"", ""}, {"", ""}, {"", ""},
        {"WM_LBUTTONUP", "Notepad", false, 45, 5},
        {"k65", "Notepad", true},
        {"k66", "#32770", true},
        {"k13", "#32770", true},
        {"", ""}, {"", ""},
    };
    ASSERT_EQ(profile::readInteger(scratch(), "all", "value", 0), static_cast<int>(expected.size()));
    for (size_t f = 0; f < expected.size(); ++f) {
        const std::string section = std::to_string(f);
        const Noted& n = expected[f];
        EXPECT_EQ(profile::readString(scratch(), section, "kp", ""), n.kp) << "frame " << f;
        const std::optional<WindowNote> note = readWindowNote(scratch(), section);
        EXPECT_EQ(note ? note->className : "", n.className) << "frame " << f;
        if (!note || n.className.empty()) continue;
        EXPECT_EQ(note->keyboard, n.keyboard) << "frame " << f;
        if (!n.keyboard) {
            EXPECT_EQ(std::vector<int>({note->clientX, note->clientY, note->dpi}), std::vector<int>({n.x, n.y, 96}))
                << "frame " << f;
        }
    }
}

// ---- pause ----

TEST_F(RecorderTest, PauseWritesNoFramesAndAClickDuringItGoesToTheFirstFrameAfterIt) {
    std::string captionDuringPause;
    at(30, [&] { form().OnWMHotKey(HK_Pause); });
    mouseAt(50, kMouseLeftDownOffset);
    at(70, [&] { captionDuringPause = form().SpeedButton_pause->text(); });
    at(95, [&] { form().SpeedButton_pauseClick(); });
    stopAt(130);

    form().SpeedButton_recClick();

    // Paused from 30 to 95; the pause is polled every 20 ms from frame 1's due time (40).
    EXPECT_THAT(frames(), ElementsAre(RecordedFrame{20, ""}, RecordedFrame{100, "WM_LBUTTONDOWN"},
                                      RecordedFrame{120, ""}, RecordedFrame{140, ""}));
    EXPECT_EQ(captionDuringPause, "继续");
    EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");
}

// ---- nesting ----

TEST_F(RecorderTest, CtrlWDuringARecordingStartsAfreshAndTheOuterLoopAddsItsPendingFrame) {
    at(50, [&] { form().OnWMHotKey(HK_Record); });
    stopAt(115);

    form().SpeedButton_recClick();

    // Inner: frames 0..3 at 70, 90, 110, 130; then the outer loop's pending frame 4, after "all".
    EXPECT_THAT(profile::sectionNames(scratch()), ElementsAre("0", "1", "2", "3", "all", "4"));
    EXPECT_THAT(frameTimes(), ElementsAre(70, 90, 110, 130, 130));
    EXPECT_EQ(profile::readInteger(scratch(), "all", "value", 0), 5);
    EXPECT_FALSE(form().recording);
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
    EXPECT_EQ(form().recname, "jb_rec");
    // The keyboard library reports keys until the outer loop ends.
    EXPECT_THAT(fp.hooks.calls, ElementsAre("StartHook 4660 1152", "EnableHotKeyHook", "StartHook 4660 1152",
                                            "StopHook", "StopHook", "DisableHotKeyHook"));
}

// ---- a scratch file that cannot be written ----

class RecorderWriteFailureTest : public RecorderTest {
protected:
    // Runs a recording the way the window does: a failure is shown by the error report.
    void recordReportingErrors() {
        try {
            form().SpeedButton_recClick();
        } catch (const Error& e) {
            reported.push_back(e.what());
        }
        // Whatever the libraries still deliver later must not fail again.
        mouseAt(400, kMouseLeftDownOffset);
        keyAt(410, 65);
        at(420, [&] {
            form().onMessage(kMouseMessageBase, 0, 0);
            form().onMessage(form().keymsg[65], 0, 0);
        });
        fp.pump.runMessageLoop();
    }

    void expectEndedCleanly() {
        EXPECT_THAT(reported, ElementsAre("Unable to write to " + scratch()));
        EXPECT_FALSE(fp.hooks.mouseOn);
        EXPECT_FALSE(fp.hooks.keysOn);
        EXPECT_FALSE(form().recording);
        EXPECT_FALSE(form().recpause);
        EXPECT_FALSE(form().playpause);
        EXPECT_TRUE(form().SpeedButton_rec->enabled());
        EXPECT_TRUE(form().SpeedButton_play->enabled());
        EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");
        EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
        // The recording that was current stays current.
        EXPECT_EQ(form().recname, "older");
        EXPECT_EQ(form().Label_recjbname->text(), "older");
    }

    void makeScratchReadOnly() {
        std::filesystem::permissions(scratchOnDisk(),
                                     std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }

    std::vector<std::string> reported;
};

TEST_F(RecorderWriteFailureTest, MissingFolderEndsTheRecordingAtTheFirstFrame) {
    std::filesystem::remove_all(file("jb_rec"));
    stopAt(300);

    recordReportingErrors();

    expectEndedCleanly();
    EXPECT_FALSE(exists("jb_rec"));
}

TEST_F(RecorderWriteFailureTest, ReadOnlyScratchFileIsNeitherDeletedNorWritten) {
    write("jb_rec/jb_rec.ini", "[0]\nx=5\ny=7\n[all]\nvalue=1\n");
    makeScratchReadOnly();
    stopAt(300);

    recordReportingErrors();

    expectEndedCleanly();
    EXPECT_THAT(frames(), ElementsAre(RecordedFrame{5, ""}));
}

TEST_F(RecorderWriteFailureTest, AnEventThatCannotBeWrittenEndsAPausedRecording) {
    at(30, [&] { form().SpeedButton_pauseClick(); });
    at(35, [&] { makeScratchReadOnly(); });
    keyAt(50, 65);

    recordReportingErrors();

    expectEndedCleanly();
    // Frame 0 was written before; nothing after the failure, not even the frame count.
    EXPECT_THAT(profile::sectionNames(scratch()), ElementsAre("0"));
}

TEST_F(RecorderWriteFailureTest, ANestedRecordingThatFailsIsReportedOnceAndEndsBoth) {
    at(50, [&] {
        makeScratchReadOnly();
        // The window's error report catches what a hot key's action throws.
        try {
            form().OnWMHotKey(HK_Record);
        } catch (const Error& e) {
            reported.push_back(e.what());
        }
    });

    recordReportingErrors();

    expectEndedCleanly();
    EXPECT_THAT(profile::sectionNames(scratch()), ElementsAre("0", "1"));
}

}  // namespace
}  // namespace tapmill
