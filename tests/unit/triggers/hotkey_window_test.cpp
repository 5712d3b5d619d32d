// The hot-key window: key capture into its two fields, the checks of "添加热键", and the end of a
// capture however the window closes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/form_fixture.h"
#include "triggers/Unit_hotkey.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;

class HotkeyWindowTest : public testing::FormFixture {
protected:
    // Opens the window from the options panel and runs `inside` while it is open.
    void withWindow(const std::function<void(TForm_hotkey&, ui::memory::MemoryWindow&)>& inside) {
        auto& main = shownForm();
        main_ = &main;
        factory.modalScript = [&](ui::memory::MemoryWindow& w) {
            inside(dynamic_cast<TForm_hotkey&>(w.events()), w);
        };
        main.RzBitBtn2Click();
        factory.modalScript = nullptr;
    }
    void focus(TForm_hotkey& window, int id, ui::Event event) {
        ui::EventArgs args;
        window.onControlEvent(id, event, args);
    }
    void pressKey(int number) { main_->onMessage(main_->keymsg[static_cast<size_t>(number)], 0, 0); }
    std::vector<std::string> reminders() { return messages(); }

    TForm_maintapmill* main_ = nullptr;
};

TEST_F(HotkeyWindowTest, ShowSetsItsDefaultsAndFillsTheScriptLists) {
    write("jb_rec/r1.ini", "");
    write("jb_homa/演示.ini", "");
    withWindow([&](TForm_hotkey& w, ui::memory::MemoryWindow&) {
        EXPECT_EQ(w.ComboBox_KC->text(), "Ctrl");
        EXPECT_EQ(w.ComboBox_kind->text(), "运行");
        EXPECT_THAT(items(*w.ComboBox_recjb), ElementsAre("r1"));
        EXPECT_THAT(items(*w.ComboBox_homajb), ElementsAre("演示"));
        EXPECT_EQ(w.ComboBox_recjb->selectedIndex(), -1);
        EXPECT_TRUE(w.RzRadioButton_sk->checked());
        EXPECT_TRUE(w.RadioButton_recjb->checked());
        EXPECT_EQ(w.Edit_playta->text(), "1");
        EXPECT_EQ(w.ListView_homa->rowCount(), 0);
    });
}

TEST_F(HotkeyWindowTest, AFocusedKeyFieldShowsTheLastKeyPressedAndRecordsNothing) {
    withWindow([&](TForm_hotkey& w, ui::memory::MemoryWindow&) {
        focus(w, TForm_hotkey::ID_Edit_hot, ui::Event::FocusIn);
        EXPECT_TRUE(main_->capture_hot);
        EXPECT_TRUE(fp.hooks.keysOn);
        pressKey(116);
        EXPECT_EQ(w.Edit_hot->text(), "F5");
        pressKey(65);
        EXPECT_EQ(w.Edit_hot->text(), "A");
        pressKey(96);  // the keypad's 0, named as the main row's
        EXPECT_EQ(w.Edit_hot->text(), "Num0");
        pressKey(12);  // no name
        EXPECT_EQ(w.Edit_hot->text(), "键码12");
        focus(w, TForm_hotkey::ID_Edit_hot, ui::Event::FocusOut);
        EXPECT_FALSE(main_->capture_hot);
        EXPECT_FALSE(fp.hooks.keysOn);
        pressKey(66);
        EXPECT_EQ(w.Edit_hot->text(), "键码12") << "no longer routed once the field lost the focus";

        focus(w, TForm_hotkey::ID_Edit_kc, ui::Event::FocusIn);
        pressKey(90);
        EXPECT_EQ(w.Edit_kc->text(), "Z");
        EXPECT_EQ(w.Edit_hot->text(), "键码12");
    });
}

TEST_F(HotkeyWindowTest, AddChecksItsFieldsInOrderBeforeKeepingAnything) {
    write("jb_rec/r1.ini", "");
    write("jb_homa/h1.ini", "");
    withWindow([&](TForm_hotkey& w, ui::memory::MemoryWindow&) {
        auto& hot = ui::memory::as<ui::memory::MemoryEdit>(*w.Edit_hot);
        auto& kc = ui::memory::as<ui::memory::MemoryEdit>(*w.Edit_kc);
        w.Edit_hot->setText("  ");
        w.Speedbutton_sutimeClick();
        EXPECT_THAT(reminders(), ElementsAre("所选择的热键不能为空！"));
        EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
        EXPECT_EQ(hot.focusCount(), 1);

        // Combination mode checks its own field, whatever the single-key field holds.
        w.Edit_hot->setText("F5");
        w.RzRadioButton_sk->setChecked(false);
        w.RzRadioButton_kc->setChecked(true);
        w.Speedbutton_sutimeClick();
        EXPECT_EQ(reminders().back(), "所选择的热键不能为空！");
        EXPECT_EQ(kc.focusCount(), 1);

        w.Edit_kc->setText("A");
        w.Speedbutton_sutimeClick();
        EXPECT_EQ(reminders().back(), "请选择脚本！");
        w.ComboBox_recjb->setSelectedIndex(0);
        w.RadioButton_recjb->setChecked(false);
        w.RadioButton_homajb->setChecked(true);
        w.Speedbutton_sutimeClick();
        EXPECT_EQ(reminders().back(), "请选择脚本！");

        w.ComboBox_homajb->setSelectedIndex(0);
        w.Edit_playta->setText("0");
        w.Speedbutton_sutimeClick();
        EXPECT_EQ(reminders().back(), "播放次数不能为0！");
        w.Edit_playta->setText("1");
        EXPECT_EQ(w.ListView_homa->rowCount(), 0);
        EXPECT_FALSE(exists("hotkey.ini"));
        EXPECT_EQ(fp.hotkeys.registrations.size(), 9u) << "only the control hot keys";
        const size_t shown = fp.dialogs.shown.size();
        w.Speedbutton_sutimeClick();
        EXPECT_EQ(fp.dialogs.shown.size(), shown) << "a complete entry is kept silently";
        EXPECT_EQ(w.ListView_homa->rowCount(), 1);
    });
}

TEST_F(HotkeyWindowTest, ClosingWhileAKeyFieldCapturesEndsTheCapture) {
    withWindow([&](TForm_hotkey& w, ui::memory::MemoryWindow& window) {
        focus(w, TForm_hotkey::ID_Edit_hot, ui::Event::FocusIn);
        window.close();  // the title bar's close box
        EXPECT_TRUE(window.closed());
    });
    EXPECT_FALSE(main_->capture_hot);
    EXPECT_FALSE(fp.hooks.keysOn);
    // The window is gone: a key now goes nowhere near it, and nothing crashes.
    pressKey(65);
    EXPECT_EQ(main_->captureFields.Edit_hot, nullptr);
}

TEST_F(HotkeyWindowTest, ExitClosesTheWindow) {
    bool closed = false;
    withWindow([&](TForm_hotkey& w, ui::memory::MemoryWindow& window) {
        focus(w, TForm_hotkey::ID_Speedbutton_plan, ui::Event::Click);
        closed = window.closed();
    });
    EXPECT_TRUE(closed);
}

TEST_F(HotkeyWindowTest, ThePlayCountFieldTakesDigitsOnly) {
    withWindow([&](TForm_hotkey& w, ui::memory::MemoryWindow&) {
        char key = 'x';
        w.Edit_playtaKeyPress(key);
        EXPECT_EQ(key, 0);
        EXPECT_THAT(fp.dialogs.beeps, ElementsAre(1u));
        w.Edit_playta->setText("");
        w.Edit_playtaChange();
        EXPECT_EQ(w.Edit_playta->text(), "1");
        w.CheckBox_loopa->setChecked(true);
        w.CheckBox_loopaClick();
        EXPECT_FALSE(w.Edit_playta->enabled());
        EXPECT_EQ(w.Edit_playta->background(), ui::SysColor::Light3D);
    });
}

}  // namespace
}  // namespace tapmill
