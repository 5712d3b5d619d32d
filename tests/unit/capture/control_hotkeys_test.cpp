// What the control hot keys do: each performs its button's click action, disabled or not.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "capture/capture_fields.h"
#include "common/delay.h"
#include "common/gbk.h"
#include "common/profile.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using fake::InputCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ControlHotKeysTest : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form_ = &shownForm();
        start_ = fp.pump.now();
    }
    TForm_maintapmill& form() { return *form_; }
    void at(uint64_t ms, std::function<void()> fn) { fp.pump.at(start_ + ms, std::move(fn)); }
    int32_t scratchFrames() { return profile::readInteger(file("jb_rec/jb_rec.ini"), "all", "value", -1); }

private:
    TForm_maintapmill* form_ = nullptr;
    uint64_t start_ = 0;
};

TEST_F(ControlHotKeysTest, CtrlWRecordsEvenWhileTheRecordButtonIsDisabledAndCtrlQStopsIt) {
    form().SpeedButton_rec->setEnabled(false);
    at(50, [&] { form().OnWMHotKey(HK_Stop); });

    form().OnWMHotKey(HK_Record);

    EXPECT_EQ(scratchFrames(), 3);
    EXPECT_FALSE(form().recording);
    EXPECT_TRUE(form().SpeedButton_rec->enabled());
}

TEST_F(ControlHotKeysTest, CtrlZPlaysEvenWhileThePlayButtonIsDisabled) {
    write("jb_rec/jb_rec.ini", "[0]\nkp=k65\nx=3\ny=4\n[all]\nvalue=1\n");
    form().SpeedButton_play->setEnabled(false);

    form().OnWMHotKey(HK_Play);

    EXPECT_THAT(fp.input.calls(), ElementsAre(InputCall{InputCall::SetCursor, 3, 4}, InputCall{InputCall::Key, 65, 0},
                                              InputCall{InputCall::Key, 65, 2}));
}

// A start inside a modal window's loop would record, play or run inside that window, and keep its
// answer waiting until it ends: while one is open the keys that start something do nothing.
TEST_F(ControlHotKeysTest, TheKeysThatStartSomethingDoNothingWhileAModalWindowIsOpen) {
    write("jb_rec/jb_rec.ini", "[0]\nkp=k65\nx=3\ny=4\n[all]\nvalue=1\n");
    write("jb_homa/one.ini", *utf8ToGbk("开始\r\n单击鼠标左键\r\n结束\r\n"));
    form().usename = "one";
    const struct {
        HotKeyId key;
        std::function<bool()> started;
    } cases[] = {
        {HK_Record, [&] { return scratchFrames() != 1; }},
        {HK_Play, [&] { return !fp.input.calls().empty(); }},
        {HK_Run, [&] { return !fp.input.calls().empty(); }},
        {HK_JournalRecord, [&] { return form().label_ststate->text() == "录制中…"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        bool started = true;
        factory.modalScript = [&](ui::memory::MemoryWindow&) {
            // What a start would run until: its stop.
            fp.pump.at(fp.pump.now() + 50, [&] {
                form().OnWMHotKey(HK_Stop);
                form().OnWMHotKey(HK_JournalStop);
            });
            form().OnWMHotKey(c.key);
            started = c.started();
            Delay(fp.pump, 100);
        };
        form().RzBitBtn2Click();  // 热键设置
        factory.modalScript = nullptr;
        EXPECT_FALSE(started);
    }
}

TEST_F(ControlHotKeysTest, F9PausesARecordingAndDoesNothingWhileNothingRuns) {
    form().OnWMHotKey(HK_Pause);
    EXPECT_FALSE(form().recpause);
    EXPECT_EQ(form().SpeedButton_pause->text(), "暂停");

    bool pausedMeanwhile = false;
    std::string captionMeanwhile;
    at(30, [&] { form().OnWMHotKey(HK_Pause); });
    at(40, [&] {
        pausedMeanwhile = form().recpause && form().playpause;
        captionMeanwhile = form().SpeedButton_pause->text();
    });
    at(50, [&] { form().OnWMHotKey(HK_Stop); });
    form().OnWMHotKey(HK_Record);

    EXPECT_TRUE(pausedMeanwhile);
    EXPECT_EQ(captionMeanwhile, "继续");
    EXPECT_FALSE(form().recpause);
}

TEST_F(ControlHotKeysTest, CtrlOnePutsThePointerPositionAtTheTopOfTheEditorsPointList) {
    std::unique_ptr<ui::ComboBox> points = factory.comboBox(*form().Panel_rec, 901, {}, true);
    points->addItem("X=1y=2");
    points->setSelectedIndex(0);
    CaptureFieldLoan<ui::ItemList> lend(form().captureFields.ComboBox_con, *points);
    fp.input.setCursorPos(640, 480);

    form().OnWMHotKey(HK_CapturePoint);
    fp.input.setCursorPos(-3, 0);
    form().OnWMHotKey(HK_CapturePoint);

    EXPECT_THAT(items(*points), ElementsAre("X=-3y=0", "X=640y=480", "X=1y=2"));
    EXPECT_EQ(points->item(points->selectedIndex()), "X=1y=2");
}

TEST_F(ControlHotKeysTest, CtrlOneWithoutTheEditorAndUnknownIdentifiersChangeNothing) {
    const auto before = folderContents();

    form().OnWMHotKey(HK_CapturePoint);
    form().OnWMHotKey(200410105);
    form().OnWMHotKey(0);

    EXPECT_EQ(folderContents(), before);
    EXPECT_FALSE(form().recording || form().playing || form().recpause);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_THAT(fp.hooks.calls, IsEmpty());
}

}  // namespace
}  // namespace tapmill
