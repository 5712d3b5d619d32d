// What the editor takes from the desktop: key names into Edit_kb while it has the focus, points
// on Ctrl+1 while point capture is on, typed coordinates that are digits only; and what its close
// ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using ::testing::ElementsAre;

const char* const kPointQuestion = "按Ctrl+1进行抓点，选\"是\"则最小化程序进行抓点，选\"否\"直接进行抓点";

class EditorCaptureTest : public testing::EditorFixture {
protected:
    // A key as the keyboard hook library reports it to the main window.
    void hookKey(int number, uint32_t modifiers = 0) {
        form().onMessage(form().keymsg[static_cast<size_t>(number)], 0, modifiers);
    }
    void ctrl1At(int x, int y) {
        fp.input.setCursorPos(x, y);
        form().OnWMHotKey(HK_CapturePoint);
    }
    bool ctrl1Registered() const { return fp.hotkeys.active.count(HK_CapturePoint) > 0; }
};

TEST_F(EditorCaptureTest, KeysAreCapturedWhileTheKeyFieldHasTheFocus) {
    open();
    hookKey(65);
    EXPECT_EQ(editor().Edit_kb->text(), "");

    send(ID_Edit_kb, ui::Event::FocusIn);
    EXPECT_TRUE(form().capture_kb);
    EXPECT_TRUE(fp.hooks.keysOn);
    hookKey(116);
    EXPECT_EQ(editor().Edit_kb->text(), "F5");
    // A key without a name empties the field.
    hookKey(12);
    EXPECT_EQ(editor().Edit_kb->text(), "");
    // A key pressed with modifiers held is captured with them; a modifier alone as itself.
    hookKey(17, platform::kModControl);
    EXPECT_EQ(editor().Edit_kb->text(), "CONTROL");
    hookKey('S', platform::kModControl | platform::kModShift);
    EXPECT_EQ(editor().Edit_kb->text(), "CONTROL+SHIFT+S");
    hookKey(38);

    send(ID_Edit_kb, ui::Event::FocusOut);
    EXPECT_FALSE(form().capture_kb);
    hookKey(65);
    EXPECT_EQ(editor().Edit_kb->text(), "UPK");
    EXPECT_THAT(fp.hooks.calls, ElementsAre("EnableHotKeyHook", "DisableHotKeyHook"));
}

TEST_F(EditorCaptureTest, PointCaptureAsksThenTakesCtrl1UntilEnded) {
    open();
    editor().ComboBox_mou->setSelectedIndex(0);
    press(ID_SpeedButton_add3);
    const std::vector<std::string> lines = shownLines();
    fp.dialogs.answerNext(MessageAnswer::Yes);
    press(ID_SpeedButton_tzlz);
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, kPointQuestion);
    EXPECT_EQ(fp.dialogs.shown[0].buttons, platform::MessageButtons::YesNo);
    // Both windows step aside from the area the user points at.
    EXPECT_FALSE(form().window->visible());
    EXPECT_FALSE(editor().window->visible());
    ASSERT_TRUE(ctrl1Registered());
    EXPECT_EQ(fp.hotkeys.active[HK_CapturePoint].modifiers, platform::kModControl);
    EXPECT_EQ(fp.hotkeys.active[HK_CapturePoint].virtualKey, 49u);
    EXPECT_TRUE(editor().Label_con->visible());

    ctrl1At(640, 480);
    editor().ComboBox_con->setSelectedIndex(0);
    ctrl1At(10, 20);
    EXPECT_EQ(editor().ComboBox_con->item(0), "X=10y=20");
    EXPECT_EQ(editor().ComboBox_con->item(1), "X=640y=480");
    // The chosen point stays the one chosen.
    EXPECT_EQ(editor().ComboBox_con->selectedIndex(), 1);

    // Restored from the tray, the editor comes back with the main window, its lines as they were.
    form().N1Click();
    EXPECT_TRUE(form().window->visible());
    EXPECT_TRUE(editor().window->visible());
    EXPECT_EQ(shownLines(), lines);
    EXPECT_TRUE(ctrl1Registered());

    press(ID_SpeedButton_jszd);
    EXPECT_FALSE(ctrl1Registered());
    EXPECT_FALSE(editor().Label_con->visible());

    // "结束抓点" brings back both windows as well.
    fp.dialogs.answerNext(MessageAnswer::Yes);
    press(ID_SpeedButton_tzlz);
    press(ID_SpeedButton_jszd);
    EXPECT_TRUE(form().window->visible());
    EXPECT_TRUE(editor().window->visible());
    EXPECT_EQ(shownLines(), lines);

    // No leaves both windows where they are; a second press finds Ctrl+1 ours already.
    press(ID_SpeedButton_tzlz);
    press(ID_SpeedButton_tzlz);
    EXPECT_TRUE(form().window->visible());
    EXPECT_TRUE(editor().window->visible());
    EXPECT_TRUE(ctrl1Registered());
    EXPECT_EQ(fp.dialogs.shown.size(), 4u);
}

TEST_F(EditorCaptureTest, Ctrl1TakenByAnotherProgramIsReported) {
    fp.hotkeys.taken.insert({platform::kModControl, 49u});
    open();
    press(ID_SpeedButton_tzlz);
    EXPECT_THAT(messages(), ElementsAre(kPointQuestion, "Ctrl+1 已被其它程序占用，无法抓点！"));
    EXPECT_FALSE(editor().Label_con->visible());
}

TEST_F(EditorCaptureTest, PointCaptureUsesTheKeyChosenForItAndRefusesWithoutOne) {
    form().controlKeys.set(HK_CapturePoint, {platform::kModAlt, '2'});
    open();
    press(ID_SpeedButton_tzlz);
    EXPECT_EQ(fp.hotkeys.active[HK_CapturePoint].modifiers, platform::kModAlt);
    EXPECT_EQ(fp.hotkeys.active[HK_CapturePoint].virtualKey, 50u);
    press(ID_SpeedButton_jszd);
    form().controlKeys.set(HK_CapturePoint, KeyChord{});
    fp.dialogs.shown.clear();
    press(ID_SpeedButton_tzlz);
    EXPECT_THAT(messages(), ElementsAre("抓点热键已清除，无法抓点！"));
    EXPECT_FALSE(editor().Label_con->visible());
}

TEST_F(EditorCaptureTest, TheCloseEndsEveryCapture) {
    open();
    send(ID_Edit_kb, ui::Event::FocusIn);
    press(ID_SpeedButton_tzlz);
    form().editrun = true;
    editor().window->close();
    EXPECT_FALSE(form().capture_kb);
    EXPECT_FALSE(fp.hooks.keysOn);
    EXPECT_FALSE(ctrl1Registered());
    EXPECT_FALSE(form().editrun);
    // The focus change the closing window still reports ends nothing twice.
    send(ID_Edit_kb, ui::Event::FocusOut);
    EXPECT_THAT(fp.hooks.calls, ElementsAre("EnableHotKeyHook", "DisableHotKeyHook"));
}

TEST_F(EditorCaptureTest, TypedCoordinatesTakeDigitsAndBackspaceOnly) {
    open();
    for (int field : {ID_Edit_x, ID_Edit_y, ID_Edit_delay}) {
        for (char typed : {'0', '9', '\b', 'a', '-', '.'}) {
            ui::EventArgs args;
            args.key = typed;
            editor().onControlEvent(field, ui::Event::KeyPress, args);
            const bool kept = field == ID_Edit_delay || typed == '\b' || (typed >= '0' && typed <= '9');
            EXPECT_EQ(args.key, kept ? typed : 0) << field << " " << typed;
        }
    }
    EXPECT_EQ(fp.dialogs.beeps, std::vector<uint32_t>(6, 1u));
}

}  // namespace
}  // namespace tapmill
