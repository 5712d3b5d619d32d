// Running the editor's lines (saved or not), its stop and pause buttons, and the editor's life as
// a modal window opened by the script panel's edit button.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class EditorRunTest : public testing::EditorFixture {
protected:
    std::vector<std::string> injected() const {
        std::vector<std::string> out;
        for (const fake::InputCall& call : fp.input.calls()) out.push_back(fake::describe(call));
        return out;
    }
    std::string describe(fake::InputCall::Kind kind, int a, int b = 0) const { return fake::describe({kind, a, b}); }
    void at(uint64_t ms, std::function<void()> fn) { fp.pump.at(start_ + ms, std::move(fn)); }
    // Nothing before a run waits, so the run starts at this time.
    const uint64_t start_ = fp.pump.now();
};

TEST_F(EditorRunTest, RunExecutesTheShownLinesOnceWithoutTheFile) {
    script("saved", {"开始", "单击鼠标右键", "结束"});
    open("saved");
    choose(2);
    editor().Edit_x->setText("10");
    editor().Edit_y->setText("20");
    press(ID_SpeedButton_add5);
    editor().Edit_delay->setText("100");
    choose(1);
    press(ID_SpeedButton_add1);

    bool editrunDuringRun = false, runEnabledDuringRun = true;
    at(50, [&] {
        editrunDuringRun = form().editrun;
        runEnabledDuringRun = editor().SpeedButton_run->enabled();
    });
    press(ID_SpeedButton_run);
    EXPECT_TRUE(editrunDuringRun);
    EXPECT_FALSE(runEnabledDuringRun);
    // No enabled script is needed, and the file stays as it was.
    using fake::InputCall;
    EXPECT_THAT(injected(), ElementsAre(describe(InputCall::Mouse, platform::kMouseRightDown),
                                        describe(InputCall::Mouse, platform::kMouseRightUp),
                                        describe(InputCall::SetCursor, 10, 20)));
    EXPECT_EQ(fp.pump.now() - start_, 100u);
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_FALSE(form().editrun);
    EXPECT_TRUE(editor().SpeedButton_run->enabled());
    EXPECT_EQ(fileBytes("saved"), expectedBytes({"开始", "单击鼠标右键", "结束"}));
    EXPECT_EQ(chosenLine(), 3);

    // A delay that is no number was taken by the editor and is reported now.
    editor().Edit_delay->setText("abc");
    press(ID_SpeedButton_add1);
    press(ID_SpeedButton_run);
    EXPECT_THAT(messages(), ElementsAre("脚本出错，请检查后再运行！"));
    EXPECT_TRUE(editor().SpeedButton_run->enabled());
}

TEST_F(EditorRunTest, TheIndicatorShowsTheLineTheEditorsRunExecutes) {
    // A delay waits before its line is highlighted: the clicking line shows through it.
    script("edited", {"开始", "单击鼠标右键", "延时1000毫秒", "结束"});
    open("edited");
    std::string shown;
    at(500, [&] {
        form().Timer_flashTimer();
        shown = factory.overlayMade->text();
    });
    press(ID_SpeedButton_run);
    EXPECT_EQ(shown, "运行脚本中  第 2 行");
}

TEST_F(EditorRunTest, ARunStartedElsewhereDuringTheEditorsRunRunsItsOwnScript) {
    script("enabled", {"开始", "单击鼠标右键", "结束"});
    script("edited", {"开始", "延时1000毫秒", "结束"});
    open("edited");
    // Ctrl+E with no enabled script is refused, not run from the editor's lines.
    at(100, [&] { form().OnWMHotKey(HK_Run); });
    at(200, [&] {
        form().usename = "enabled";
        form().OnWMHotKey(HK_Run);
    });
    press(ID_SpeedButton_run);
    using fake::InputCall;
    EXPECT_THAT(messages(), ElementsAre("请选择您要启用的脚本再运行！"));
    EXPECT_THAT(injected(), ElementsAre(describe(InputCall::Mouse, platform::kMouseRightDown),
                                        describe(InputCall::Mouse, platform::kMouseRightUp)));
    EXPECT_EQ(shownLines(), (std::vector<std::string>{"开始", "延时1000毫秒", "结束"}));
    EXPECT_EQ(form().ListBox_homajb->item(1), "单击鼠标右键");
}

TEST_F(EditorRunTest, PauseHoldsTheRunAndStopEndsIt) {
    script("s", {"开始", "延时1000毫秒", "单击鼠标左键", "延时1000毫秒", "单击鼠标右键", "结束"});
    open("s");
    press(ID_SpeedButton_pauseb);
    EXPECT_EQ(editor().SpeedButton_pauseb->text(), "暂停");
    EXPECT_FALSE(form().runpause);

    std::vector<std::string> captions;
    auto pressAndNote = [&](int button) {
        press(button);
        captions.push_back(editor().SpeedButton_pauseb->text());
    };
    at(500, [&] { pressAndNote(ID_SpeedButton_pauseb); });
    at(3000, [&] { pressAndNote(ID_SpeedButton_pauseb); });
    at(3500, [&] {
        pressAndNote(ID_SpeedButton_pauseb);
        pressAndNote(ID_SpeedButton_stopb);
        EXPECT_TRUE(editor().SpeedButton_run->enabled());
    });
    press(ID_SpeedButton_run);
    EXPECT_THAT(captions, ElementsAre("继续", "暂停", "继续", "暂停"));
    // The click waited for the resume; the stop came during the second delay, so no right click.
    ASSERT_EQ(fp.input.calls().size(), 2u);
    EXPECT_GE(fp.input.calls()[0].time - start_, 3000u);
    EXPECT_FALSE(form().running);
    EXPECT_FALSE(form().runpause);
}

TEST_F(EditorRunTest, ClosingTheWindowStopsItsRun) {
    script("s", {"开始", "延时1000毫秒", "单击鼠标左键", "结束"});
    open("s");
    at(300, [&] { press(ID_SpeedButton_exit); });
    press(ID_SpeedButton_run);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_FALSE(form().running);
    EXPECT_FALSE(form().editrun);
}

TEST_F(EditorRunTest, TheEditButtonOpensAFreshModalEditorAndFreesIt) {
    script("a", {"开始", "单击鼠标左键", "结束"});
    form().Speedbutton_homaClick();
    std::vector<std::string> names;
    factory.modalScript = [&](ui::memory::MemoryWindow& w) {
        auto& editor = dynamic_cast<TForm_homa&>(w.events());
        EXPECT_EQ(w.text(), "自编脚本");
        EXPECT_EQ(form().captureFields.Edit_kb, editor.Edit_kb.get());
        names.push_back(editor.Edit_jbname->text());
        ui::EventArgs args;
        editor.onControlEvent(ID_Edit_kb, ui::Event::FocusIn, args);
        editor.onControlEvent(ID_SpeedButton_tzlz, ui::Event::Click, args);
        w.close();  // the window's close box
    };
    form().ListView_homa->setSelectedIndex(0);
    form().FlatSpeedButton1Click();
    fp.dialogs.answerNext(MessageAnswer::Yes);
    form().ListView_homa->setSelectedIndex(-1);
    form().FlatSpeedButton1Click();

    EXPECT_THAT(names, ElementsAre("a", "请输入脚本名"));
    EXPECT_EQ(form().captureFields.Edit_kb, nullptr);
    EXPECT_EQ(form().captureFields.ComboBox_con, nullptr);
    EXPECT_FALSE(form().capture_kb);
    EXPECT_EQ(fp.hotkeys.active.count(HK_CapturePoint), 0u);
    EXPECT_THAT(fp.hooks.calls,
                ElementsAre("EnableHotKeyHook", "DisableHotKeyHook", "EnableHotKeyHook", "DisableHotKeyHook"));
}

}  // namespace
}  // namespace tapmill
