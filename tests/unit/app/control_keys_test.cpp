// The control hot keys the user chooses on the options panel: captured, cleared and restored,
// registered at once, kept in config.ini and in force at the next start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/control_key_panel.h"
#include "app/global_keys_notice.h"
#include "common/profile.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr size_t kPlayField = 2;  // the order of kControlHotKeys: 录制, 停止, 播放, ...
constexpr size_t kPauseField = 4;
constexpr size_t kJournalPlayField = 8;

class ControlKeysTest : public testing::FormFixture {
protected:
    TForm_maintapmill& start() { return *(form_ = &shownForm()); }
    ControlKeyPanel& panel() { return *form_->controlKeyPanel; }
    void focusField(size_t index, ui::Event event) {
        ui::EventArgs args;
        form_->onControlEvent(ControlKeyPanel::ID_FirstField + static_cast<int>(index), event, args);
    }
    void press(int key, uint32_t modifiers) { form_->onMessage(form_->keymsg[static_cast<size_t>(key)], 0, modifiers); }
    // Captures a combination into a field as the user does: focus, press, leave.
    void capture(size_t index, int key, uint32_t modifiers) {
        focusField(index, ui::Event::FocusIn);
        press(key, modifiers);
        focusField(index, ui::Event::FocusOut);
    }
    bool registered(int id, uint32_t modifiers, uint32_t key) {
        auto it = fp.hotkeys.active.find(id);
        return it != fp.hotkeys.active.end() && it->second.modifiers == modifiers && it->second.virtualKey == key;
    }

    TForm_maintapmill* form_ = nullptr;
    const uint32_t kCtrlShift = platform::kModControl | platform::kModShift;
};

TEST_F(ControlKeysTest, ACapturedCombinationReplacesTheKeyAtOnceAndAtTheNextStart) {
    start();
    focusField(kPlayField, ui::Event::FocusIn);
    EXPECT_TRUE(fp.hooks.keysOn);
    form_->OnWMHotKey(HK_Play);  // the Ctrl+Z of the combination being typed is no order
    EXPECT_FALSE(form_->playing);
    EXPECT_EQ(fp.dialogs.shown.size(), 0u);
    press(17, platform::kModControl);  // the modifiers alone choose nothing
    press(90, kCtrlShift);
    focusField(kPlayField, ui::Event::FocusOut);
    EXPECT_FALSE(fp.hooks.keysOn);

    EXPECT_EQ(panel().fields[kPlayField]->text(), "Ctrl+Shift+Z");
    EXPECT_TRUE(registered(HK_Play, kCtrlShift, 'Z'));
    EXPECT_EQ(profile::readString(file("config.ini"), "controlkeys", "play", ""), "Ctrl+Shift+Z");
    EXPECT_EQ(form_->Memo1->lines()[6], "录制=Ctrl+W，停止=Ctrl+Q，播放=Ctrl+Shift+Z，暂停=F9");

    start();
    EXPECT_TRUE(registered(HK_Play, kCtrlShift, 'Z'));
    EXPECT_EQ(panel().fields[kPlayField]->text(), "Ctrl+Shift+Z");
}

TEST_F(ControlKeysTest, WhileRecordingOnlyTheKeysInForceAreLeftOut) {
    start();
    capture(kPlayField, 90, kCtrlShift);
    bool recordedCtrlZ = false;
    fp.pump.at(fp.pump.now() + 30, [&] { press(90, platform::kModControl); });
    fp.pump.at(fp.pump.now() + 50, [&] {
        recordedCtrlZ = read("jb_rec/jb_rec.ini").find("kp=k90") != std::string::npos;
        press(90, kCtrlShift);
    });
    fp.pump.at(fp.pump.now() + 90, [&] { form_->OnWMHotKey(HK_Stop); });
    form_->SpeedButton_recClick();
    EXPECT_TRUE(recordedCtrlZ) << "Ctrl+Z is the user's key again";
    const std::string recording = read("jb_rec/jb_rec.ini");
    EXPECT_EQ(recording.find("kp=k90"), recording.rfind("kp=k90")) << "Ctrl+Shift+Z is the program's";
}

TEST_F(ControlKeysTest, TheJournalPanelNamesItsHotKeysAsTheyAreSet) {
    start();
    EXPECT_EQ(form_->Label_stkeys->text(), "热键：录制 Alt+W　结束 Alt+Q　播放 Alt+Z　暂停 F10");
    capture(kJournalPlayField, 'P', kCtrlShift);
    EXPECT_EQ(form_->Label_stkeys->text(), "热键：录制 Alt+W　结束 Alt+Q　播放 Ctrl+Shift+P　暂停 F10");
}

TEST_F(ControlKeysTest, ClearingAndRestoringTheDocumentedSet) {
    start();
    focusField(0, ui::Event::FocusIn);
    focusField(0, ui::Event::FocusOut);
    panel().Button_clearClick();
    EXPECT_EQ(panel().fields[0]->text(), "无");
    EXPECT_EQ(fp.hotkeys.active.count(HK_Record), 0u);
    EXPECT_EQ(profile::readString(file("config.ini"), "controlkeys", "record", ""), "none");
    capture(kPlayField, 'P', platform::kModAlt);

    start();
    EXPECT_EQ(fp.hotkeys.active.count(HK_Record), 0u) << "none at the next start as well";
    panel().Button_restoreClick();
    EXPECT_TRUE(registered(HK_Record, platform::kModControl, 'W'));
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 'Z'));
    EXPECT_EQ(panel().fields[0]->text(), "Ctrl+W");
    EXPECT_EQ(form_->Memo1->lines()[7], "运行=Ctrl+E，抓点=Ctril+1。");
    start();
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 'Z'));
}

TEST_F(ControlKeysTest, RestoringIsRefusedWhileAnEntryOfTheTableHoldsADocumentedKey) {
    start();
    capture(kPauseField, 0x7A /* F11 */, 0);
    HotKeyEntry f9;
    f9.chord = {0, 0x78};
    f9.script = "demo";
    ASSERT_TRUE(form_->userHotKeys.add(f9));
    panel().Button_restoreClick();
    EXPECT_THAT(messages(), ElementsAre("热键 F9 已在热键表中！"));
    EXPECT_TRUE(registered(HK_Pause, 0, 0x7A));
    EXPECT_EQ(panel().fields[kPauseField]->text(), "F11");
    EXPECT_EQ(profile::readString(file("config.ini"), "controlkeys", "pause", ""), "F11");
}

TEST_F(ControlKeysTest, ACombinationSomethingElseHoldsIsRefusedAndTheOldKeyStays) {
    fp.hotkeys.taken.insert({platform::kModControl, 'P'});
    start();
    capture(kPlayField, 'W', platform::kModAlt);
    capture(kPlayField, 'P', platform::kModControl);
    EXPECT_THAT(messages(), ElementsAre("热键 Alt+W 已用作控制热键“强化录制”！", "热键 Ctrl+P 已被其它程序占用！"));
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 'Z'));
    EXPECT_FALSE(exists("config.ini"));
}

TEST_F(ControlKeysTest, EveryKeyCaptureTakesSurvivesARestart) {
    start();
    capture(kPauseField, 192 /* ` */, 0);
    capture(kPlayField, 254, platform::kModControl);
    form_ = &restartedForm();
    EXPECT_TRUE(registered(HK_Pause, 0, 192));
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 254));
    EXPECT_EQ(panel().fields[kPauseField]->text(), "OEM_3");
}

// A field entered and left during a recording leaves it as it was: keys are reported after it, and
// the stop key stops while the field has the focus (the stop's combination is nothing a field may
// take: it is the stop's already, or refused as the stop's).
TEST_F(ControlKeysTest, AFieldUsedDuringARecordingLeavesTheRecorderAsItWas) {
    start();
    const uint64_t t0 = fp.pump.now();
    fp.pump.at(t0 + 30, [&] { focusField(kPlayField, ui::Event::FocusIn); });
    fp.pump.at(t0 + 50, [&] { focusField(kPlayField, ui::Event::FocusOut); });
    bool keysReportedAfterLeaving = false;
    fp.pump.at(t0 + 70, [&] { keysReportedAfterLeaving = fp.hooks.keysOn; });
    fp.pump.at(t0 + 90, [&] { focusField(kPauseField, ui::Event::FocusIn); });
    fp.pump.at(t0 + 110, [&] {
        press('Q', platform::kModControl);
        form_->OnWMHotKey(HK_Stop);
    });
    fp.pump.at(t0 + 5000, [&] { form_->OnWMHotKey(HK_Stop); });
    form_->SpeedButton_recClick();

    EXPECT_LT(fp.pump.now(), t0 + 1000) << "the stop key stopped while the field had the focus";
    EXPECT_TRUE(keysReportedAfterLeaving) << "the keyboard library still reports the keys to record";
    EXPECT_TRUE(fp.hooks.keysOn) << "the field still captures";
    EXPECT_THAT(messages(), ElementsAre());
    EXPECT_EQ(panel().fields[kPauseField]->text(), "F9");
    focusField(kPauseField, ui::Event::FocusOut);
    EXPECT_FALSE(fp.hooks.keysOn);
}

// A hand-edited settings file may give two control hot keys one combination, or one that an entry
// of the table holds: each such key is refused like a damaged value. The start is blocked by no
// message box (a start from the Task Scheduler carries out its command at once): the notice beside
// the main window tells it, and config.ini keeps the keys in force, so it is told once.
TEST_F(ControlKeysTest, ACombinationHeldTwiceIsRefusedAtStartNamingTheConflictOnce) {
    write("hotkey.ini", "[1]\r\nkey=F7\r\nkind=\xd4\xcb\xd0\xd0\r\njbname=r1R\r\ntimes=1\r\nenabled=1\r\n");
    write("config.ini", "[notice]\r\nglobalkeys=1\r\n[controlkeys]\r\nrecord=Ctrl+Q\r\nstop=Ctrl+Q\r\nplay=Ctrl+W\r\npause=F7\r\n");
    start();
    EXPECT_EQ(fp.hotkeys.active.count(HK_Record), 0u) << "its documented Ctrl+W is the play key now";
    EXPECT_TRUE(registered(HK_Stop, platform::kModControl, 'Q'));
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 'W'));
    EXPECT_TRUE(registered(HK_Pause, 0, 120));
    EXPECT_TRUE(registered(HotKeyTable::kFirstId, 0, 118));
    EXPECT_THAT(messages(), ElementsAre());
    ASSERT_NE(form_->keysNotice(), nullptr);
    EXPECT_TRUE(form_->keysNotice()->window->visible());
    std::string shown;
    for (const std::string& line : form_->keysNotice()->lines()) shown += line;
    EXPECT_THAT(shown, HasSubstr("config.ini 中的控制热键有冲突："
                                 "“录制”的 Ctrl+Q 与控制热键“停止”相同，默认的 Ctrl+W 已用作控制热键“播放”，暂无热键；"
                                 "“停止”的 Ctrl+Q 与控制热键“录制”相同，改用默认的 Ctrl+Q；"
                                 "“暂停”的 F7 已在热键表中，改用默认的 F9。"));
    EXPECT_EQ(panel().fields[0]->text(), "无");

    form_ = &restartedForm();
    EXPECT_EQ(form_->keysNotice(), nullptr) << "the keys in force were kept";
    EXPECT_EQ(fp.hotkeys.active.count(HK_Record), 0u);
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 'W'));
    EXPECT_TRUE(registered(HK_Pause, 0, 120));
}

// An entry that is not registered (invalid, or switched off) holds no combination: the control hot
// key keeps it.
TEST_F(ControlKeysTest, AnEntryNotInForceLeavesItsCombinationToTheControlKey) {
    const std::string run = "kind=\xd4\xcb\xd0\xd0\r\njbname=r1R\r\n";
    const struct {
        const char* what;
        std::string entry;
    } cases[] = {
        {"invalid count", "key=Ctrl+Q\r\n" + run + "times=0\r\nenabled=1\r\n"},
        {"invalid kind", "key=Ctrl+Q\r\nkind=dance\r\njbname=r1R\r\ntimes=1\r\nenabled=1\r\n"},
        {"switched off", "key=Ctrl+Q\r\n" + run + "times=1\r\nenabled=0\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fp.dialogs.shown.clear();
        write("config.ini", "[notice]\r\nglobalkeys=1\r\n");
        write("hotkey.ini", "[1]\r\n" + c.entry);
        start();
        EXPECT_TRUE(registered(HK_Stop, platform::kModControl, 'Q'));
        EXPECT_EQ(form_->keysNotice(), nullptr);
        EXPECT_THAT(messages(), ElementsAre());
        form_->userHotKeys.unregisterAll();
    }
}
TEST_F(ControlKeysTest, ASettingsFileWithoutOrWithDamagedKeysMeansTheDocumentedSet) {
    write("config.ini", "[lzsy]\r\nx=1\r\n[controlkeys]\r\nplay=Ctrl+\r\nplaycode=abc\r\nstop=Hyper+Q\r\nrun=e\r\nruncode=999\r\n");
    start();
    EXPECT_EQ(fp.hotkeys.registrations.size(), 9u);
    EXPECT_TRUE(registered(HK_Play, platform::kModControl, 'Z'));
    EXPECT_TRUE(registered(HK_Stop, platform::kModControl, 'Q'));
    EXPECT_TRUE(registered(HK_Run, platform::kModControl, 'E'));
    EXPECT_TRUE(registered(HK_JournalPause, 0, 121));
    EXPECT_EQ(form_->Memo1->lines()[6], "录制=Ctrl+W，停止=Ctrl+Q，播放=Ctrl+Z，暂停=F9");
    EXPECT_EQ(read("config.ini"), "[lzsy]\r\nx=1\r\n[controlkeys]\r\nplay=Ctrl+\r\nplaycode=abc\r\nstop=Hyper+Q\r\nrun=e\r\nruncode=999\r\n");
}

}  // namespace
}  // namespace tapmill
