// The main window's routing of the hook libraries' messages: into the frame being recorded, or
// into the key field that captures keys.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "capture/capture_fields.h"
#include "capture/hook_messages.h"
#include "common/profile.h"
#include "platform/files.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MessageRoutingTest : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form_ = &shownForm();
        start_ = fp.pump.now();
    }

    TForm_maintapmill& form() { return *form_; }
    std::string scratch() const { return form_->exedir + "jb_rec\\jb_rec.ini"; }

    bool mouse(uint32_t offset) { return form().onMessage(kMouseMessageBase + offset, 0, 0); }
    // A key press as the keyboard library reports it, with the modifiers held (platform::kMod...).
    bool key(int number, uint32_t modifiers = 0) {
        return form().onMessage(form().keymsg[static_cast<size_t>(number)], static_cast<uintptr_t>(number), modifiers);
    }
    // A key's release as the keyboard library reports it.
    void release(int number) { form().onMessage(form().keyTransitionMsg, static_cast<uintptr_t>(number), kKeyReleasedFlag); }
    void at(uint64_t ms, std::function<void()> fn) { fp.pump.at(start_ + ms, std::move(fn)); }

    // Records from 0 to Stop at `stopMs` with the events the test scheduled; gives each frame's "kp".
    std::vector<std::string> recordUntil(uint64_t stopMs) {
        at(stopMs, [this] { form().SpeedButton_stopClick(); });
        form().SpeedButton_recClick();
        std::vector<std::string> events;
        const int32_t count = profile::readInteger(scratch(), "all", "value", 0);
        for (int32_t f = 0; f < count; ++f) events.push_back(profile::readString(scratch(), std::to_string(f), "kp", "-"));
        return events;
    }

    std::unique_ptr<ui::Edit> field() { return factory.edit(*form().Panel_rec, 900, {}, "before", ui::EditStyle::Normal); }

    uint64_t start_ = 0;

private:
    TForm_maintapmill* form_ = nullptr;
};

// ---- into the recording ----

TEST_F(MessageRoutingTest, EachMessageBecomesItsEventTextInTheFrameBeingRecorded) {
    at(5, [&] { mouse(kMouseLeftDownOffset); });
    // Messages next to the libraries' own are no events and replace nothing.
    at(6, [&] {
        form().onMessage(kMouseMessageBase - 1, 0, 0);
        form().onMessage(kMouseMessageBase + 8, 0, 0);
        form().onMessage(0, 0, 0);
    });
    at(25, [&] { mouse(kMouseLeftUpOffset); });
    at(45, [&] { mouse(kMouseRightDownOffset); });
    at(65, [&] { mouse(kMouseRightUpOffset); });
    at(85, [&] { mouse(kMouseLeftDoubleClickOffset); });
    at(105, [&] { key(1); });
    at(125, [&] { key(123); });
    at(145, [&] { key(190); });  // the full stop
    at(165, [&] { key(254); });

    EXPECT_THAT(recordUntil(170), ElementsAre("WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_RBUTTONDOWN", "WM_RBUTTONUP",
                                              "WM_LBUTTONDBLCLK", "k1", "k123", "k190", "k254"));
}

TEST_F(MessageRoutingTest, KpKeepsTheLastEventOfAFrameAndAnEventAfterStopGoesIntoTheLastFrame) {
    at(5, [&] { mouse(kMouseLeftDownOffset); });
    at(10, [&] { key(65); });
    at(15, [&] { mouse(kMouseRightUpOffset); });
    at(42, [&] { form().SpeedButton_stopClick(); });
    at(50, [&] { key(116); });

    EXPECT_THAT(recordUntil(1000), ElementsAre("WM_RBUTTONUP", "-", "k116"));
}

TEST_F(MessageRoutingTest, EveryEventOfAFrameIsKeptInOrderWithTheModifiersOfEachKeyPress) {
    using platform::kModControl;
    using platform::kModShift;
    at(5, [&] { key(17); });  // Ctrl+S within one frame
    at(6, [&] { key('S', kModControl); });
    at(25, [&] { mouse(kMouseLeftDownOffset); });
    at(26, [&] { mouse(kMouseMiddleDownOffset); });
    at(27, [&] { form().onMessage(kMouseMessageBase + kMouseWheelOffset, static_cast<uintptr_t>(-240), 0); });
    at(45, [&] { EXPECT_TRUE(form().onMessage(kMouseMessageBase + kMouseWheelOffset, 120, 0)); });
    at(65, [&] { key(16); });  // the Shift key's own modifier is no modifier of its press
    at(66, [&] { key('A', kModShift); });
    at(67, [&] { key(18, kModShift); });
    at(85, [&] { key('A', kModShift); });

    EXPECT_THAT(recordUntil(90), ElementsAre("k83", "WM_LBUTTONDOWN", "-", "k18", "k65"));
    std::vector<std::string> all;
    for (int f = 0; f < 5; ++f) all.push_back(profile::readString(scratch(), std::to_string(f), "ev", "-"));
    EXPECT_THAT(all, ElementsAre("k17 k83+2", "WM_LBUTTONDOWN WM_MBUTTONDOWN WM_MOUSEWHEEL:-240", "WM_MOUSEWHEEL:120",
                                 "k16 k65+4 k18+4", "k65+4"));
}

TEST_F(MessageRoutingTest, WithoutAnOpenRecordingMessagesAreDroppedAndOnlyTheDoubleClickIsConsumed) {
    EXPECT_FALSE(mouse(kMouseLeftDownOffset));
    EXPECT_FALSE(mouse(kMouseRightUpOffset));
    EXPECT_TRUE(mouse(kMouseLeftDoubleClickOffset));
    EXPECT_TRUE(mouse(kMouseMiddleDownOffset));
    EXPECT_TRUE(mouse(kMouseWheelOffset));
    EXPECT_FALSE(key(65));
    // Neither a message of another number nor one next to the key messages is taken for an event.
    EXPECT_FALSE(form().onMessage(kMouseMessageBase + 8, 0, 0));
    EXPECT_FALSE(form().onMessage(form().keyboardWindowMsg + 1, 0, 0));
    EXPECT_FALSE(files::exists(scratch()));
}

TEST_F(MessageRoutingTest, MessagesAfterTheRecordingEndedGoNowhere) {
    recordUntil(30);
    const std::string before = read("jb_rec/jb_rec.ini");

    mouse(kMouseLeftDownOffset);
    key(65);

    EXPECT_EQ(read("jb_rec/jb_rec.ini"), before);
}

// ---- the program's own hot keys ----

TEST_F(MessageRoutingTest, ARecordingLeavesOutOnlyTheProgramsOwnHotKeys) {
    using platform::kModAlt;
    using platform::kModControl;
    using platform::kModShift;
    at(5, [&] { key('C', kModControl); });        // another program's combination: recorded
    at(25, [&] { key('Z', kModControl); });       // Ctrl+Z: the program's own
    at(45, [&] { key(120); });                    // F9
    at(65, [&] { key(120, kModShift); });         // Shift+F9 is no hot key of the program's
    at(85, [&] { key('Q', kModAlt); });           // Alt+Q
    at(105, [&] { key('Q', kModAlt | kModShift); });

    EXPECT_THAT(recordUntil(110), ElementsAre("k67", "-", "-", "k120", "-", "k81"));
}

TEST_F(MessageRoutingTest, TheModifierOfTheHotKeyThatStopsARecordingIsNotInIt) {
    at(5, [&] { key(65); });
    at(25, [&] { key(17); });  // Ctrl, then Ctrl+C: the Ctrl belongs to the user's combination
    at(30, [&] { key('C', platform::kModControl); });
    at(45, [&] { key(17); });  // Ctrl, then Q: the hot key that stops the recording
    at(50, [&] { form().OnWMHotKey(HK_Stop); });

    const std::vector<std::string> events = recordUntil(1000);

    EXPECT_THAT(events, ElementsAre("k65", "k67", "-"));
}

TEST_F(MessageRoutingTest, EveryModifierOfAStopKeyOfSeveralIsLeftOutWhateverTheirOrder) {
    using platform::kModControl;
    using platform::kModShift;
    form().controlKeys.set(HK_Stop, {kModControl | kModShift, 'Q'});
    struct Order {
        int first, second;
        uint64_t gap;  // between the two presses: within a frame or across frames
    };
    for (const Order& o : {Order{17, 16, 2}, Order{16, 17, 2}, Order{17, 16, 45}, Order{16, 17, 45}}) {
        SCOPED_TRACE(std::to_string(o.first) + " then " + std::to_string(o.second) + " after " + std::to_string(o.gap));
        start_ = fp.pump.now();
        const uint32_t firstHeld = o.first == 17 ? kModControl : kModShift;
        at(5, [&] { key(65); });
        at(25, [&] { key(o.first, firstHeld); });
        at(25 + o.gap, [&] { key(o.second, kModControl | kModShift); });
        at(30 + o.gap, [&] {
            key('Q', kModControl | kModShift);
            form().OnWMHotKey(HK_Stop);
        });
        const std::vector<std::string> events = recordUntil(100000);  // the hot key stops it first
        EXPECT_EQ(read("jb_rec/jb_rec.ini").find("k1"), std::string::npos);
        EXPECT_EQ(events.front(), "k65");
    }
}

TEST_F(MessageRoutingTest, AHotKeyTakesBackExactlyItsOwnModifierPressesWhateverLiesBetween) {
    using platform::kModAlt;
    using platform::kModControl;
    HotKeyEntry altF7;
    altF7.chord = {kModAlt, 118};
    altF7.stops = true;
    altF7.script = "demo";
    ASSERT_TRUE(form().userHotKeys.add(altF7));
    const int altF7Id = HotKeyTable::kFirstId;
    struct Hand {
        const char* name;
        std::vector<std::pair<uint64_t, std::function<void()>>> steps;
        std::vector<std::string> frames;  // each frame's "kp", and " / " and its "ev2" where it has one
    };
    const Hand hands[] = {
        {"a quick hand: a down, Ctrl down, a up, Q",
         {{5, [&] { key('A'); }},
          {6, [&] { key(17, kModControl); }},
          {7, [&] { release('A'); }},
          {8, [&] { form().OnWMHotKey(HK_Stop); }},
          {9, [&] { release('Q'); }},
          {10, [&] { release(17); }}},
         {"k65"}},
        {"a click let go between Ctrl and Q",
         {{5, [&] { mouse(kMouseLeftDownOffset); }},
          {25, [&] { key(17, kModControl); }},
          {26, [&] { form().onMessage(kMouseMessageBase + kMouseLeftUpOffset, 0, kModControl); }},
          {30, [&] { form().OnWMHotKey(HK_Stop); }},
          {31, [&] { release(17); }}},
         {"WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
        {"the user's Alt+F7 with a key let go between, Alt held over frames",
         {{5, [&] { key('A'); }},
          {6, [&] { key(18, kModAlt); }},
          {45, [&] { release('A'); }},
          {90, [&] { form().OnWMHotKey(altF7Id); }},
          {91, [&] { release(18); }}},
         {"k65 / kd65", "-", "- / ku65", "-", "-"}},
        {"a Ctrl tapped before the stop key's own stays",
         {{5, [&] { key(17, kModControl); }},
          {6, [&] { release(17); }},
          {25, [&] { key(17, kModControl); }},
          {26, [&] { form().OnWMHotKey(HK_Stop); }}},
         {"k17", "-"}},
    };
    for (const Hand& hand : hands) {
        SCOPED_TRACE(hand.name);
        start_ = fp.pump.now();
        for (const auto& step : hand.steps) at(step.first, step.second);
        form().SpeedButton_recClick();
        std::vector<std::string> frames;
        const int32_t count = profile::readInteger(scratch(), "all", "value", 0);
        for (int32_t f = 0; f < count; ++f) {
            const std::string ev2 = profile::readString(scratch(), std::to_string(f), "ev2", "");
            frames.push_back(profile::readString(scratch(), std::to_string(f), "kp", "-") + (ev2.empty() ? "" : " / " + ev2));
        }
        EXPECT_EQ(frames, hand.frames);
    }
}

TEST_F(MessageRoutingTest, TheModifierOfAHotKeyLeavesTheEarlierEventsOfItsFrame) {
    at(5, [&] { key(65); });
    at(6, [&] { key(17); });
    at(10, [&] { form().OnWMHotKey(HK_Stop); });

    EXPECT_THAT(recordUntil(1000), ElementsAre("k65"));
    EXPECT_EQ(profile::readString(scratch(), "0", "ev", "-"), "-");
}

TEST_F(MessageRoutingTest, AltOfAJournalHotKeyPressedDuringAPlainRecordingIsNotInIt) {
    at(5, [&] { key(18); });
    at(10, [&] { form().OnWMHotKey(HK_JournalStop); });

    EXPECT_THAT(recordUntil(30), ElementsAre("-", "-"));
}

TEST_F(MessageRoutingTest, WhileAFieldCapturesAControlHotKeyIsCapturedAsItsKeyAndDoesNothing) {
    auto hot = field();
    CaptureFieldLoan<ui::TextControl> lend(form().captureFields.Edit_hot, *hot);
    form().capture_hot = true;

    form().OnWMHotKey(HK_Record);  // Ctrl+W in the hot-key window
    key(17);
    key('W', platform::kModControl);
    EXPECT_FALSE(form().recording);
    EXPECT_FALSE(exists("jb_rec/jb_rec.ini"));
    EXPECT_EQ(hot->text(), "W");

    form().OnWMHotKey(HK_Pause);
    key(120);
    EXPECT_EQ(hot->text(), "F9");
    key(121);
    EXPECT_EQ(hot->text(), "F10");
    EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");
}

// ---- into a capturing key field ----

TEST_F(MessageRoutingTest, ACapturedKeyShowsItsNameInTheCapturingFieldOnly) {
    auto kb = field(), hot = field(), kc = field();
    CaptureFieldLoan<ui::TextControl> lendKb(form().captureFields.Edit_kb, *kb);
    CaptureFieldLoan<ui::TextControl> lendHot(form().captureFields.Edit_hot, *hot);
    CaptureFieldLoan<ui::TextControl> lendKc(form().captureFields.Edit_kc, *kc);

    form().capture_hot = true;
    key(116);
    EXPECT_EQ(kb->text(), "before");
    EXPECT_EQ(hot->text(), "F5");
    EXPECT_EQ(kc->text(), "before");

    form().capture_kb = form().capture_kc = true;
    key(17);
    EXPECT_EQ(kb->text(), "CONTROL");
    EXPECT_EQ(hot->text(), "CONTROL");
    EXPECT_EQ(kc->text(), "CONTROL");

    // A key without a name empties the field.
    key(7);
    EXPECT_EQ(kb->text(), "");
}

TEST_F(MessageRoutingTest, AKeyCapturedDuringARecordingIsNotRecordedButTheMouseStillIs) {
    auto kb = field();
    CaptureFieldLoan<ui::TextControl> lend(form().captureFields.Edit_kb, *kb);
    form().capture_kb = true;
    at(5, [&] { key(65); });
    at(25, [&] { mouse(kMouseLeftDownOffset); });
    at(45, [&] {
        form().capture_kb = false;
        key(66);
    });

    EXPECT_THAT(recordUntil(50), ElementsAre("-", "WM_LBUTTONDOWN", "k66"));
    EXPECT_EQ(kb->text(), "A");
}

TEST_F(MessageRoutingTest, ACaptureFlagWithoutItsWindowStillKeepsTheKeyOutOfTheRecording) {
    form().capture_kc = true;
    at(5, [&] { key(65); });

    EXPECT_THAT(recordUntil(10), ElementsAre("-"));
}

TEST_F(MessageRoutingTest, AFieldIsLentOnlyWhileItsWindowLives) {
    auto first = field(), second = field();
    {
        CaptureFieldLoan<ui::TextControl> lend(form().captureFields.Edit_kb, *first);
        EXPECT_EQ(form().captureFields.Edit_kb, first.get());
    }
    EXPECT_EQ(form().captureFields.Edit_kb, nullptr);

    // A window opened before the previous one is freed keeps its own field.
    auto older = std::make_unique<CaptureFieldLoan<ui::TextControl>>(form().captureFields.Edit_kb, *first);
    CaptureFieldLoan<ui::TextControl> newer(form().captureFields.Edit_kb, *second);
    older.reset();
    EXPECT_EQ(form().captureFields.Edit_kb, second.get());
}

}  // namespace
}  // namespace tapmill
