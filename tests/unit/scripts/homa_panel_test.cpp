// Panel_homa: the script table, the enabled script, the editor's entry, and the run controls with
// their hot keys.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "platform/files.h"
#include "scripts/homa_fixture.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HomaPanelTest : public testing::HomaFixture {
protected:
    std::vector<std::vector<std::string>> rows() {
        std::vector<std::vector<std::string>> out;
        ui::ListView& table = *form().ListView_homa;
        for (int r = 0; r < table.rowCount(); ++r) out.push_back({table.cell(r, 0), table.cell(r, 1), table.cell(r, 2)});
        return out;
    }
    int rowOf(const std::string& name) {
        ui::ListView& table = *form().ListView_homa;
        for (int r = 0; r < table.rowCount(); ++r)
            if (table.cell(r, 1) == name) return r;
        return -1;
    }
    // The script names in the order the file system lists them.
    std::vector<std::string> enumeratedScripts() const {
        std::vector<std::string> out;
        for (const std::string& entry : files::listFolder(dir_ + "/jb_homa"))
            if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".ini") == 0)
                out.push_back(entry.substr(0, entry.size() - 4));
        return out;
    }
};

TEST_F(HomaPanelTest, TableListsTheIniFilesOfTheScriptFolderInEnumerationOrder) {
    for (const char* name : {"b.ini", "a.ini", "notes.txt", "Upper.INI", "演示.ini", "Test.ini", "x.ini.bak"})
        writeFile(std::string("jb_homa/") + name, "");
    std::filesystem::create_directory(dir_ + "/jb_homa/folder.ini");
    form().Speedbutton_homaClick();

    const std::vector<std::string> names = enumeratedScripts();
    EXPECT_THAT(names, ::testing::UnorderedElementsAre("a", "b", "演示", "Test", "folder"));
    std::vector<std::vector<std::string>> expected;
    for (size_t i = 0; i < names.size(); ++i) expected.push_back({std::to_string(i + 1), names[i], "否"});
    EXPECT_EQ(rows(), expected);
    EXPECT_TRUE(form().Panel_homa->visible());
    EXPECT_FALSE(form().Panel_rec->visible());
}

TEST_F(HomaPanelTest, MissingFolderGivesAnEmptyTable) {
    writeFile("jb_homa/a.ini", "");
    form().Speedbutton_homaClick();
    ASSERT_EQ(form().ListView_homa->rowCount(), 1);
    std::filesystem::remove_all(dir_ + "/jb_homa");
    form().relistview(*form().ListView_homa, "");
    EXPECT_EQ(form().ListView_homa->rowCount(), 0);
}

TEST_F(HomaPanelTest, EnableMarksTheChosenScriptAndMovesTheMark) {
    writeFile("jb_homa/a.ini", "");
    writeFile("jb_homa/b.ini", "");
    form().Speedbutton_homaClick();
    form().ListView_homa->setSelectedIndex(rowOf("a"));
    form().Speedbutton_useClick();
    EXPECT_EQ(form().usename, "a");
    EXPECT_EQ(form().ListView_homa->cell(rowOf("a"), 2), "是");
    EXPECT_EQ(form().ListView_homa->cell(rowOf("b"), 2), "否");

    form().ListView_homa->setSelectedIndex(rowOf("b"));
    form().Speedbutton_useClick();
    EXPECT_EQ(form().usename, "b");
    EXPECT_EQ(form().ListView_homa->cell(rowOf("a"), 2), "否");
    EXPECT_EQ(form().ListView_homa->cell(rowOf("b"), 2), "是");
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(HomaPanelTest, EnableWithoutAChosenRowAsksForOne) {
    writeFile("jb_homa/a.ini", "");
    form().Speedbutton_homaClick();
    form().Speedbutton_useClick();
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "请选择您要读取的脚本！");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(form().usename, "");
}

TEST_F(HomaPanelTest, EditHandsTheChosenScriptToTheEditor) {
    writeFile("jb_homa/a.ini", "");
    form().Speedbutton_homaClick();
    form().ListView_homa->setSelectedIndex(rowOf("a"));
    form().FlatSpeedButton1Click();
    EXPECT_EQ(form().editname, "a");
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(HomaPanelTest, EditWithoutAChosenRowOffersANewScript) {
    form().Speedbutton_homaClick();
    form().editname = "old";
    form().FlatSpeedButton1Click();  // the fake answers No
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "您没选择任何脚本进行编辑，是否要新建一个脚本。");
    EXPECT_EQ(fp.dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(form().editname, "old");

    fp.dialogs.answerNext(MessageAnswer::Yes);
    form().FlatSpeedButton1Click();
    EXPECT_EQ(form().editname, "");
}

TEST_F(HomaPanelTest, RunUsesThePlayCountAndGivesTheButtonBackAfterwards) {
    script("two", {"开始", "延时10毫秒", "单击鼠标左键", "结束"});
    form().usename = "two";
    form().Edit_playta->setText("2");
    bool enabledDuringRun = true;
    fp.pump.at(fp.pump.now() + 5, [&] { enabledDuringRun = form().Speedbutton_run->enabled(); });
    form().Speedbutton_runClick();
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(form().Speedbutton_run->enabled());
    EXPECT_EQ(fp.input.calls().size(), 4u);  // two clicks
}

TEST_F(HomaPanelTest, RunWithoutAnEnabledScriptIsRefusedAndTheButtonStaysUsable) {
    form().Speedbutton_runClick();
    EXPECT_THAT(messages(), ElementsAre("请选择您要启用的脚本再运行！"));
    EXPECT_TRUE(form().Speedbutton_run->enabled());
}

TEST_F(HomaPanelTest, PlayCountBeyondThirtyTwoBitsIsReportedAndStartsNoRun) {
    script("s", {"开始", "单击鼠标左键", "结束"});
    form().usename = "s";
    form().Edit_playta->setText("99999999999");
    try {
        form().Speedbutton_runClick();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_TRUE(form().Speedbutton_run->enabled());
    EXPECT_FALSE(form().running);
}

TEST_F(HomaPanelTest, EndlessBoxRunsUntilStopAndGreysThePlayCount) {
    script("loop", {"开始", "延时100毫秒", "单击鼠标左键", "结束"});
    form().usename = "loop";
    form().CheckBox_loopa->setChecked(true);
    form().CheckBox_loopaClick();
    EXPECT_FALSE(form().Edit_playta->enabled());
    EXPECT_EQ(form().Edit_playta->background(), ui::SysColor::Light3D);

    const uint64_t start = fp.pump.now();
    fp.pump.at(start + 1050, [&] { form().Speedbutton_stopaClick(); });
    form().Speedbutton_runClick();
    EXPECT_EQ(fp.input.calls().size(), 20u);  // ten clicks
    EXPECT_EQ(fp.pump.now() - start, 1050u);

    form().CheckBox_loopa->setChecked(false);
    form().CheckBox_loopaClick();
    EXPECT_TRUE(form().Edit_playta->enabled());
    EXPECT_EQ(form().Edit_playta->background(), ui::SysColor::Window);
}

TEST_F(HomaPanelTest, StopActsEvenWithoutARunAndPauseDoesNot) {
    form().SpeedButton_pauseaClick();
    EXPECT_FALSE(form().runpause);
    EXPECT_EQ(form().SpeedButton_pausea->text(), "暂停");

    form().running = form().runpause = true;
    form().Speedbutton_run->setEnabled(false);
    form().SpeedButton_pausea->setText("继续");
    form().Speedbutton_stopaClick();
    EXPECT_FALSE(form().running);
    EXPECT_FALSE(form().runpause);
    EXPECT_TRUE(form().Speedbutton_run->enabled());
    EXPECT_EQ(form().SpeedButton_pausea->text(), "暂停");
}

TEST_F(HomaPanelTest, HotKeysRunStopAndPauseTheScript) {
    script("loop", {"开始", "延时100毫秒", "单击鼠标左键", "结束"});
    form().usename = "loop";
    form().CheckBox_loopa->setChecked(true);
    const uint64_t start = fp.pump.now();
    std::string captionPaused;
    // F9 at 150 holds the run after the delay that ends at 200; Ctrl+Q at 590 ends it.
    fp.pump.at(start + 150, [&] { form().OnWMHotKey(HK_Pause); });
    fp.pump.at(start + 400, [&] { captionPaused = form().SpeedButton_pausea->text(); });
    fp.pump.at(start + 590, [&] { form().OnWMHotKey(HK_Stop); });
    form().OnWMHotKey(HK_Run);
    EXPECT_EQ(captionPaused, "继续");
    EXPECT_EQ(form().SpeedButton_pausea->text(), "暂停");
    ASSERT_EQ(fp.input.calls().size(), 2u);  // the click of the first pass only
    EXPECT_EQ(fp.input.calls()[0].time - start, 100u);
    EXPECT_FALSE(form().running);
    EXPECT_EQ(form().StatusBar->panelText(0), "当前状态：");
}

TEST_F(HomaPanelTest, PlayCountFieldTakesDigitsOnlyAndNeverStaysEmpty) {
    ui::EventArgs args;
    args.key = 'x';
    form().onControlEvent(ID_Edit_playta, ui::Event::KeyPress, args);
    EXPECT_EQ(args.key, 0);
    EXPECT_THAT(fp.dialogs.beeps, ElementsAre(1u));
    args.key = '7';
    form().onControlEvent(ID_Edit_playta, ui::Event::KeyPress, args);
    EXPECT_EQ(args.key, '7');
    args.key = 8;
    form().onControlEvent(ID_Edit_playta, ui::Event::KeyPress, args);
    EXPECT_EQ(args.key, 8);

    form().Edit_playta->setText("  ");
    form().onControlEvent(ID_Edit_playta, ui::Event::Change, args);
    EXPECT_EQ(form().Edit_playta->text(), "1");
    EXPECT_EQ(form().Edit_playta->selection(), std::make_pair(0, 1));
}

TEST_F(HomaPanelTest, TheEnabledScriptIsForgottenAtTheNextProgramStart) {
    writeFile("jb_homa/a.ini", "");
    form().Speedbutton_homaClick();
    form().ListView_homa->setSelectedIndex(0);
    form().Speedbutton_useClick();
    ASSERT_EQ(form().ListView_homa->cell(0, 2), "是");

    TForm_maintapmill restarted(fp.platform, factory, fp.desktop.exePath);
    restarted.window->show();
    restarted.Speedbutton_homaClick();
    EXPECT_EQ(restarted.ListView_homa->cell(0, 2), "否");
}

}  // namespace
}  // namespace tapmill
