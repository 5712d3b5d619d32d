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
    bool key(int number) { return form().onMessage(form().keymsg[static_cast<size_t>(number)], 0, 0); }
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

private:
    TForm_maintapmill* form_ = nullptr;
    uint64_t start_ = 0;
};

// ---- into the recording ----

TEST_F(MessageRoutingTest, EachMessageBecomesItsEventTextInTheFrameBeingRecorded) {
    at(5, [&] { mouse(kMouseLeftDownOffset); });
    // Messages next to the libraries' own are no events and replace nothing.
    at(6, [&] {
        form().onMessage(kMouseMessageBase - 1, 0, 0);
        form().onMessage(kMouseMessageBase + 5, 0, 0);
        form().onMessage(0, 0, 0);
    });
    at(25, [&] { mouse(kMouseLeftUpOffset); });
    at(45, [&] { mouse(kMouseRightDownOffset); });
    at(65, [&] { mouse(kMouseRightUpOffset); });
    at(85, [&] { mouse(kMouseLeftDoubleClickOffset); });
    at(105, [&] { key(1); });
    at(125, [&] { key(123); });

    EXPECT_THAT(recordUntil(130), ElementsAre("WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_RBUTTONDOWN", "WM_RBUTTONUP",
                                              "WM_LBUTTONDBLCLK", "k1", "k123"));
}

TEST_F(MessageRoutingTest, TheLastEventOfAFrameWinsAndAnEventAfterStopGoesIntoTheLastFrame) {
    at(5, [&] { mouse(kMouseLeftDownOffset); });
    at(10, [&] { key(65); });
    at(15, [&] { mouse(kMouseRightUpOffset); });
    at(42, [&] { form().SpeedButton_stopClick(); });
    at(50, [&] { key(116); });

    EXPECT_THAT(recordUntil(1000), ElementsAre("WM_RBUTTONUP", "-", "k116"));
}

TEST_F(MessageRoutingTest, WithoutAnOpenRecordingMessagesAreDroppedAndOnlyTheDoubleClickIsConsumed) {
    EXPECT_FALSE(mouse(kMouseLeftDownOffset));
    EXPECT_FALSE(mouse(kMouseRightUpOffset));
    EXPECT_TRUE(mouse(kMouseLeftDoubleClickOffset));
    EXPECT_FALSE(key(65));
    // Neither a message of another number nor one next to the key messages is taken for an event.
    EXPECT_FALSE(form().onMessage(kMouseMessageBase + 5, 0, 0));
    EXPECT_FALSE(form().onMessage(form().keymsg[123] + 1, 0, 0));
    EXPECT_FALSE(files::exists(scratch()));
}

TEST_F(MessageRoutingTest, MessagesAfterTheRecordingEndedGoNowhere) {
    recordUntil(30);
    const std::string before = read("jb_rec/jb_rec.ini");

    mouse(kMouseLeftDownOffset);
    key(65);

    EXPECT_EQ(read("jb_rec/jb_rec.ini"), before);
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
