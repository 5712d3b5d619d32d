// The journal panel's library: the same four operations as the plain panel's, on "jb_strec\" with
// its own reserved name, and a read that loads the journal as the current one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

std::string journalOf(int events) {
    std::string text;
    for (int i = 0; i < events; ++i)
        text += "[" + std::to_string(i) + "]\r\niCode=0\r\nwParam=0\r\nmessage=512\r\nparamL=" + std::to_string(10 * i) +
                "\r\nparamH=20\r\ntime=" + std::to_string(1000 + i) + "\r\nhwnd=0\r\n";
    return text + "[end]\r\nall=" + std::to_string(events) + "\r\n";
}

class JournalLibraryTest : public testing::FormFixture {};

TEST_F(JournalLibraryTest, SaveCopiesTheScratchJournalAndReadMakesItCurrent) {
    write("jb_strec/stjb.ini", journalOf(3));
    auto& form = shownForm();
    form.Edit_stjbname->setText("强化一");
    form.SpeedButton1Click();
    EXPECT_EQ(read("jb_strec/强化一.ini"), journalOf(3));
    EXPECT_THAT(items(*form.ComboBox_stjb), UnorderedElementsAre("stjb", "强化一"));
    EXPECT_EQ(form.label_ststate->text(), "");

    form.ComboBox_stjb->setText("强化一");
    form.SpeedButton_readstClick();
    EXPECT_EQ(form.stname, "强化一");
    EXPECT_EQ(form.Label_stjbname->text(), "强化一");
    EXPECT_EQ(form.label_stfra->text(), "2");
    EXPECT_EQ(form.stjournal.current.table.size(), 3u);
    EXPECT_EQ(form.stjournal.current.file, file("jb_strec\\强化一.ini"));
}

TEST_F(JournalLibraryTest, TheReservedNameIsStjb) {
    write("jb_strec/stjb.ini", journalOf(1));
    auto& form = shownForm();
    form.ComboBox_stjb->setText("stjb");
    form.SpeedButton_delstClick();
    form.Edit_stjbname->setText("stjb");
    form.SpeedButton_strenameClick();
    form.Edit_stjbname->setText("new");
    form.SpeedButton_strenameClick();
    EXPECT_THAT(messages(), ElementsAre("名为'stjb'的脚本是临时存放录制信息的脚本，所以无法删除，请选取其它要删除的脚本！",
                                        "由于软件本身的设置，脚本文件不能在命名为'stjb'！",
                                        "请选择要重命名的文件，注意不能选择名为'stjb'文件！"));
    EXPECT_TRUE(exists("jb_strec/stjb.ini"));
}

TEST_F(JournalLibraryTest, RenameAndDeleteWorkInTheJournalFolderOnly) {
    write("jb_strec/a.ini", journalOf(1));
    write("jb_rec/a.ini", "plain");
    auto& form = shownForm();
    form.ComboBox_stjb->setText("a");
    form.Edit_stjbname->setText("b");
    form.SpeedButton_strenameClick();
    EXPECT_TRUE(exists("jb_strec/b.ini"));
    EXPECT_FALSE(exists("jb_strec/a.ini"));
    EXPECT_EQ(read("jb_rec/a.ini"), "plain");

    form.ComboBox_stjb->setText("b");
    form.SpeedButton_delstClick();
    EXPECT_FALSE(exists("jb_strec/b.ini"));
    EXPECT_THAT(fp.recycleBin.recycled, ElementsAre(fake::FakeRecycleBin::Item{file("jb_strec\\b.ini"), journalOf(1)}));
    EXPECT_EQ(read("jb_rec/a.ini"), "plain");
    EXPECT_TRUE(fp.dialogs.shown.empty());

    write("jb_strec/locked.ini", journalOf(1));
    std::filesystem::permissions(file("jb_strec/locked.ini"), std::filesystem::perms::owner_read);
    form.listjb(*form.ComboBox_stjb, "jb_strec\\");
    form.ComboBox_stjb->setText("locked");
    form.SpeedButton_delstClick();
    EXPECT_THAT(messages(), ElementsAre("无法删除脚本文件：" + file("jb_strec\\locked.ini") +
                                        "，它可能是只读的或正被其它程序使用。"));
    EXPECT_THAT(items(*form.ComboBox_stjb), ElementsAre("locked"));
}

}  // namespace
}  // namespace tapmill
