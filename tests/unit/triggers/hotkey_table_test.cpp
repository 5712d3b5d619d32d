// The user's hot-key table: entries added, listed, switched and deleted in the hot-key window,
// kept in hotkey.ini across a restart, registered as hot keys and acted on when pressed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/control_key_panel.h"
#include "common/profile.h"
#include "support/form_fixture.h"
#include "triggers/Unit_hotkey.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t kF7 = 118;
constexpr uint32_t kF8 = 119;
const char* const kOneKeyRecording = "[0]\nkp=k65\nx=3\ny=4\n[all]\nvalue=1\n";

class HotKeyTableTest : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        write("jb_rec/r1.ini", kOneKeyRecording);
    }
    // Opens the hot-key window on the shown main window and runs `inside` while it is open.
    void withWindow(const std::function<void(TForm_hotkey&)>& inside) {
        factory.modalScript = [&](ui::memory::MemoryWindow& w) { inside(dynamic_cast<TForm_hotkey&>(w.events())); };
        form_->RzBitBtn2Click();
        factory.modalScript = nullptr;
    }
    void start() { form_ = &shownForm(); }
    void restart() { form_ = &restartedForm(); }
    // What the user fills in for an entry: a single key, or a modifier (0 Ctrl, 1 Alt, 2 Shift)
    // plus a key, the kind (0 运行, 1 停止), the recording r1 and a count.
    void fill(TForm_hotkey& w, const std::string& key, int modifier = -1, int kind = 0, const std::string& count = "2") {
        const bool single = modifier < 0;
        w.RzRadioButton_sk->setChecked(single);
        w.RzRadioButton_kc->setChecked(!single);
        (single ? w.Edit_hot : w.Edit_kc)->setText(key);
        if (!single) w.ComboBox_KC->setSelectedIndex(modifier);
        w.ComboBox_kind->setSelectedIndex(kind);
        w.ComboBox_recjb->setSelectedIndex(0);
        w.Edit_playta->setText(count);
    }
    void add(const std::string& key, int modifier = -1, int kind = 0) {
        withWindow([&](TForm_hotkey& w) {
            fill(w, key, modifier, kind);
            w.Speedbutton_sutimeClick();
        });
    }
    std::vector<std::string> row(TForm_hotkey& w, int index) {
        std::vector<std::string> cells;
        for (int c = 0; c < 6; ++c) cells.push_back(w.ListView_homa->cell(index, c));
        return cells;
    }
    bool registered(int index, uint32_t modifiers, uint32_t key) {
        auto it = fp.hotkeys.active.find(HotKeyTable::kFirstId + index);
        return it != fp.hotkeys.active.end() && it->second.modifiers == modifiers && it->second.virtualKey == key;
    }
    size_t keysInjected() {
        size_t n = 0;
        for (const fake::InputCall& c : fp.input.calls()) n += c.kind == fake::InputCall::Key;
        return n;
    }

    TForm_maintapmill* form_ = nullptr;
};

TEST_F(HotKeyTableTest, AddListSwitchAndDeleteEntries) {
    start();
    add("F7");
    add("F8", -1, 1);
    add("A", 0);
    withWindow([&](TForm_hotkey& w) {
        ASSERT_EQ(w.ListView_homa->rowCount(), 3);
        EXPECT_THAT(row(w, 0), ElementsAre("1", "F7", "", "r1", "2", "是"));
        EXPECT_THAT(row(w, 1), ElementsAre("2", "", "F8", "r1", "2", "是"));
        EXPECT_THAT(row(w, 2), ElementsAre("3", "Ctrl+A", "", "r1", "2", "是"));
        EXPECT_TRUE(registered(2, platform::kModControl, 'A'));

        w.ListView_homa->setSelectedIndex(0);
        w.RzBitBtn1Click();
        EXPECT_EQ(w.ListView_homa->cell(0, 5), "否");
        EXPECT_EQ(fp.hotkeys.active.count(HotKeyTable::kFirstId), 0u);
        w.RzBitBtn1Click();
        EXPECT_EQ(w.ListView_homa->cell(0, 5), "是");
        EXPECT_TRUE(registered(0, 0, kF7));

        // The entries after a deleted one move up, and their hot keys with them.
        w.ListView_homa->setSelectedIndex(1);
        w.Speedbutton_cancelClick();
        ASSERT_EQ(w.ListView_homa->rowCount(), 2);
        EXPECT_THAT(row(w, 1), ElementsAre("2", "Ctrl+A", "", "r1", "2", "是"));
        EXPECT_TRUE(registered(1, platform::kModControl, 'A'));
        EXPECT_EQ(fp.hotkeys.active.count(HotKeyTable::kFirstId + 2), 0u);
    });
    EXPECT_EQ(read("hotkey.ini").find("F8"), std::string::npos);
}

TEST_F(HotKeyTableTest, EntriesSurviveARestartAndRunTheirRecordingWithTheirCount) {
    start();
    add("F7");
    add("F8", 1, 1);
    withWindow([&](TForm_hotkey& w) {
        w.ListView_homa->setSelectedIndex(1);
        w.RzBitBtn1Click();  // switched off, and kept so
    });
    fp.dialogs.answerNext(platform::MessageAnswer::Yes);
    ASSERT_TRUE(form_->FormCloseQuery());
    EXPECT_EQ(fp.hotkeys.active.count(HotKeyTable::kFirstId), 0u) << "unregistered at the close";
    fp.dialogs.shown.clear();

    start();
    EXPECT_TRUE(registered(0, 0, kF7));
    EXPECT_EQ(fp.hotkeys.active.count(HotKeyTable::kFirstId + 1), 0u);
    withWindow([&](TForm_hotkey& w) {
        EXPECT_THAT(row(w, 0), ElementsAre("1", "F7", "", "r1", "2", "是"));
        EXPECT_THAT(row(w, 1), ElementsAre("2", "", "Alt+F8", "r1", "2", "否"));
    });
    form_->OnWMHotKey(HotKeyTable::kFirstId);
    EXPECT_EQ(keysInjected(), 4u) << "the recording's key, down and up, twice";
    EXPECT_THAT(messages(), IsEmpty());
}

// Keys whose name alone would not tell them: the keypad digits share the main row's names, and
// many keys have none.
TEST_F(HotKeyTableTest, AnEntryOnAKeypadDigitAnUnnamedKeyOrAKeyAboveTheFirst123SurvivesARestart) {
    const struct {
        const char* shown;
        int modifier;
        uint32_t modifiers, key;
    } keys[] = {{"OEM_1", -1, 0, 186}, {"Num1", -1, 0, 97}, {"键码12", 0, platform::kModControl, 12}};
    start();
    for (const auto& k : keys) add(k.shown, k.modifier);
    EXPECT_TRUE(registered(1, 0, 97)) << "registered on the keypad's 1 at once";
    restart();
    withWindow([&](TForm_hotkey& w) {
        for (int i = 0; i < 3; ++i) {
            const std::string key = (keys[i].modifier < 0 ? "" : "Ctrl+") + std::string(keys[i].shown);
            EXPECT_TRUE(registered(i, keys[i].modifiers, keys[i].key)) << key;
            EXPECT_THAT(row(w, i), ElementsAre(std::to_string(i + 1), key, "", "r1", "2", "是"));
        }
    });
}

TEST_F(HotKeyTableTest, AnEntryAnotherProgramHeldAtStartIsShownSoAndItsKeyIsRecorded) {
    start();
    add("F7");
    fp.hotkeys.taken.insert({0, kF7});
    restart();
    withWindow([&](TForm_hotkey& w) { EXPECT_THAT(row(w, 0), ElementsAre("1", "F7（被占用）", "", "r1", "2", "是")); });
    fp.pump.at(fp.pump.now() + 5, [&] { form_->onMessage(form_->keymsg[kF7], kF7, 0); });
    fp.pump.at(fp.pump.now() + 30, [&] { form_->SpeedButton_stopClick(); });
    form_->SpeedButton_recClick();
    EXPECT_NE(read("jb_rec/jb_rec.ini").find("kp=k118"), std::string::npos);

    fp.hotkeys.taken.clear();  // the other program let go: 启用 puts the entry in force
    withWindow([&](TForm_hotkey& w) {
        w.ListView_homa->setSelectedIndex(0);
        w.RzBitBtn1Click();
        EXPECT_THAT(row(w, 0), ElementsAre("1", "F7", "", "r1", "2", "是"));
    });
    EXPECT_TRUE(registered(0, 0, kF7));
}

// Values the window never writes: each entry is marked where it is wrong, never registered, and
// nothing it names is looked for outside the program's folders.
TEST_F(HotKeyTableTest, BadValuesInTheFileMarkTheirEntryWhichNeverRuns) {
    const std::string run = "kind=\xd4\xcb\xd0\xd0\r\n";
    auto entry = [&](const std::string& key, const std::string& kind, const std::string& jbname, const std::string& times) {
        return "key=" + key + "\r\n" + kind + "jbname=" + jbname + "\r\ntimes=" + times + "\r\nenabled=1\r\n";
    };
    write("hotkey.ini", "[1]\r\n" + entry("F2", run, "r1R", "0") + "[2]\r\n" + entry("F3", run, "r1R", "-5") +
                            "[3]\r\n" + entry("F4", "kind=dance\r\n", "r1R", "1") + "[4]\r\n" +
                            entry("F5", run, "..\\r1R", "1") + "[5]\r\n" + entry("F6", run, "C:\\x\\r1R", "1") +
                            "[6]\r\n" + entry("F7", run, "r1X", "1") + "[7]\r\n" + entry("F8", run, "r1R", "-359") +
                            "[8]\r\n" + entry("F8", run, "r1R", "1") + "[9]\r\n" + entry("F11", run, "r1R", "x"));
    start();
    withWindow([&](TForm_hotkey& w) {
        ASSERT_EQ(w.ListView_homa->rowCount(), 9);
        EXPECT_THAT(row(w, 0), ElementsAre("1", "F2", "", "r1", "0（无效）", "无效"));
        EXPECT_THAT(row(w, 1), ElementsAre("2", "F3", "", "r1", "-5（无效）", "无效"));
        EXPECT_THAT(row(w, 2), ElementsAre("3", "F4（无效）", "", "r1", "1", "无效"));
        EXPECT_THAT(row(w, 3), ElementsAre("4", "F5", "", "..\\r1（无效）", "1", "无效"));
        EXPECT_THAT(row(w, 4), ElementsAre("5", "F6", "", "C:\\x\\r1（无效）", "1", "无效"));
        EXPECT_THAT(row(w, 5), ElementsAre("6", "F7", "", "r1X（无效）", "1", "无效"));
        EXPECT_THAT(row(w, 6), ElementsAre("7", "F8", "", "r1", "无限", "是"));
        EXPECT_THAT(row(w, 7), ElementsAre("8", "F8（无效）", "", "r1", "1", "无效"));
        EXPECT_THAT(row(w, 8), ElementsAre("9", "F11", "", "r1", "1", "是")) << "no number: the documented default";
    });
    std::vector<int> registeredIds;
    for (const auto& [id, r] : fp.hotkeys.active)
        if (id >= HotKeyTable::kFirstId) registeredIds.push_back(id - HotKeyTable::kFirstId);
    EXPECT_THAT(registeredIds, ElementsAre(6, 8));
    for (int i = 0; i < 6; ++i) form_->OnWMHotKey(HotKeyTable::kFirstId + i);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(HotKeyTableTest, ConflictsAreRefusedNamingWhatHoldsTheKey) {
    fp.hotkeys.taken.insert({0, kF8});
    start();
    add("Z", 0);
    add("F9");
    add("F7");
    add("F7", -1, 1);
    add("F8");
    EXPECT_THAT(messages(), ElementsAre("热键 Ctrl+Z 已用作控制热键“播放”！", "热键 F9 已用作控制热键“暂停”！",
                                        "热键 F7 已在热键表中！", "热键 F8 已被其它程序占用！"));
    EXPECT_EQ(fp.dialogs.shown.back().caption, "提醒！");
    withWindow([&](TForm_hotkey& w) { EXPECT_EQ(w.ListView_homa->rowCount(), 1); });
    EXPECT_EQ(profile::sectionNames(file("hotkey.ini")).size(), 1u);
}

// A switched-off entry holds nothing: a control hot key may take its combination, and the entry is
// switched on again only once the control hot key has another.
TEST_F(HotKeyTableTest, ASwitchedOffEntryGivesWayToAControlKeyThatTookItsCombination) {
    start();
    add("F7");
    withWindow([&](TForm_hotkey& w) {
        w.ListView_homa->setSelectedIndex(0);
        w.RzBitBtn1Click();
    });
    form_->controlKeyPanel->fieldEnter(4);  // 暂停
    form_->onMessage(form_->keymsg[kF7], 0, 0);
    form_->controlKeyPanel->fieldExit();
    EXPECT_EQ(form_->controlKeys.chord(HK_Pause), (KeyChord{0, kF7}));
    withWindow([&](TForm_hotkey& w) {
        w.ListView_homa->setSelectedIndex(0);
        w.RzBitBtn1Click();
        EXPECT_EQ(w.ListView_homa->cell(0, 5), "否");
    });
    EXPECT_THAT(messages(), ElementsAre("热键 F7 已用作控制热键“暂停”！"));
    EXPECT_EQ(fp.hotkeys.active.count(HotKeyTable::kFirstId), 0u);
}

TEST_F(HotKeyTableTest, AnEntryWhoseRecordingIsGoneIsMarkedAndDoesNothing) {
    start();
    add("F7");
    std::filesystem::remove(file("jb_rec/r1.ini"));
    withWindow([&](TForm_hotkey& w) { EXPECT_EQ(w.ListView_homa->cell(0, 3), "r1（丢失）"); });
    form_->OnWMHotKey(HotKeyTable::kFirstId);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(HotKeyTableTest, RunStartsNothingOverARunningPlaybackAndStopEndsIt) {
    start();
    add("F7");
    add("F8", -1, 1);
    write("jb_rec/jb_rec.ini", kOneKeyRecording);
    form_->CheckBox_loop->setChecked(true);
    form_->CheckBox_loopClick();
    size_t keysMeanwhile = 0;
    bool playingAfterRunKey = false;
    fp.pump.at(fp.pump.now() + 100, [&] {
        keysMeanwhile = keysInjected();
        form_->OnWMHotKey(HotKeyTable::kFirstId);  // F7 during the endless playback
        playingAfterRunKey = form_->playing;
        form_->OnWMHotKey(HotKeyTable::kFirstId + 1);  // F8
    });
    form_->SpeedButton_playClick();

    EXPECT_TRUE(playingAfterRunKey);
    EXPECT_FALSE(form_->playing) << "F8 ended the endless playback";
    EXPECT_LE(keysInjected(), keysMeanwhile + 2) << "F7 started no playback of its own";
}

}  // namespace
}  // namespace tapmill
