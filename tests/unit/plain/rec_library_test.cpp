// Save, read, rename and delete on the plain recording library, through the panel's buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

const std::string kScratch = "[0]\r\nx=5\r\ny=6\r\n[1]\r\nx=7\r\ny=8\r\n[all]\r\nvalue=2\r\n";

class RecLibraryTest : public testing::FormFixture {
protected:
    TForm_maintapmill& form() { return form_ ? *form_ : *(form_ = &shownForm()); }
    // The status label's text while the operation runs, 100 ms in.
    std::string statusDuringNextOperation() {
        fp.pump.after(100, [this] { statusSeen_ = form().Label_recstate->text(); });
        return "";
    }
    void select(const std::string& name) { form().ComboBox_recjbname->setText(name); }

    TForm_maintapmill* form_ = nullptr;
    std::string statusSeen_;
};

TEST_F(RecLibraryTest, SaveCopiesTheScratchRecordingUnderTheTypedName) {
    write("jb_rec/jb_rec.ini", kScratch);
    form().Edit_recjbname->setText("测试一");
    statusDuringNextOperation();
    form().SpeedButton_saverecClick();
    EXPECT_EQ(read("jb_rec/测试一.ini"), kScratch);
    EXPECT_EQ(statusSeen_, "已保存…");
    EXPECT_EQ(form().Label_recstate->text(), "");
    EXPECT_EQ(form().Edit_recjbname->text(), "");
    EXPECT_THAT(items(*form().ComboBox_recjbname), UnorderedElementsAre("jb_rec", "测试一"));
    EXPECT_TRUE(fp.dialogs.shown.empty());
}

TEST_F(RecLibraryTest, SaveOverAnExistingRecordingAsksFirst) {
    write("jb_rec/jb_rec.ini", kScratch);
    write("jb_rec/old.ini", "old");
    form().Edit_recjbname->setText("old");
    form().SpeedButton_saverecClick();  // unanswered: No
    EXPECT_THAT(messages(), ElementsAre("该脚本文件已存在，是否覆盖原有的文件？"));
    EXPECT_EQ(fp.dialogs.shown[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(read("jb_rec/old.ini"), "old");
    EXPECT_EQ(form().Edit_recjbname->text(), "old");

    fp.dialogs.answerNext(MessageAnswer::Yes);
    form().SpeedButton_saverecClick();
    EXPECT_EQ(read("jb_rec/old.ini"), kScratch);
}

TEST_F(RecLibraryTest, SaveWithoutAnyRecordingStoresNothingAndSaysSo) {
    form().Edit_recjbname->setText("new");
    auto before = folderContents();
    form().SpeedButton_saverecClick();
    EXPECT_THAT(messages(), ElementsAre("还没有录制过脚本，没有可保存的内容！"));
    EXPECT_EQ(folderContents(), before);
    EXPECT_EQ(form().Label_recstate->text(), "");
}

TEST_F(RecLibraryTest, SaveUnderTheReservedNameLeavesTheScratchIntact) {
    write("jb_rec/jb_rec.ini", kScratch);
    form().Edit_recjbname->setText("jb_rec");
    fp.dialogs.answerNext(MessageAnswer::Yes);
    statusDuringNextOperation();
    form().SpeedButton_saverecClick();
    EXPECT_THAT(messages(), ElementsAre("该脚本文件已存在，是否覆盖原有的文件？"));
    EXPECT_EQ(read("jb_rec/jb_rec.ini"), kScratch);
    EXPECT_EQ(statusSeen_, "已保存…");
}

TEST_F(RecLibraryTest, SaveRefusesEmptyNamesAndNamesThatLeaveTheFolder) {
    write("jb_rec/jb_rec.ini", kScratch);
    form().Edit_recjbname->setText("   ");
    form().SpeedButton_saverecClick();
    EXPECT_THAT(messages(), ElementsAre("脚本名不能为空！"));

    auto before = folderContents();
    for (const char* bad : {"a\\b", "../x", "a/b", "c:x", "a*", "q?", "\"q\"", "<a>", "a|b", "CON", "nul", "com1",
                            "LPT9.txt", "CON.", "nul ", "tab\t", "emoji\xF0\x9F\x98\x80"}) {
        fp.dialogs.shown.clear();
        form().Edit_recjbname->setText(bad);
        form().SpeedButton_saverecClick();
        ASSERT_EQ(fp.dialogs.shown.size(), 1u) << bad;
        EXPECT_NE(messages()[0].find(bad), std::string::npos) << "the message names what was typed: " << bad;
        EXPECT_EQ(folderContents(), before) << bad;
    }
}

// Followed by ".ini", a name ending in a dot or a blank still names a file Windows keeps as typed.
TEST_F(RecLibraryTest, NamesEndingInADotOrABlankAreSavedAndRenamedAsTyped) {
    write("jb_rec/jb_rec.ini", kScratch);
    for (const char* name : {"abc ", "end."}) {
        form().Edit_recjbname->setText(name);
        form().SpeedButton_saverecClick();
        EXPECT_EQ(read(std::string("jb_rec/") + name + ".ini"), kScratch) << name;
    }
    select("end.");
    form().Edit_recjbname->setText("again. ");
    form().SpeedButton_renameClick();
    EXPECT_TRUE(fp.dialogs.shown.empty());
    EXPECT_THAT(items(*form().ComboBox_recjbname), UnorderedElementsAre("jb_rec", "abc ", "again. "));
}

TEST_F(RecLibraryTest, AFileThatCannotBeDeletedIsNamedAndStaysListed) {
    write("jb_rec/locked.ini", kScratch);
    std::filesystem::permissions(file("jb_rec/locked.ini"), std::filesystem::perms::owner_read);
    select("locked");
    statusDuringNextOperation();
    form().SpeedButton_delrecClick();
    EXPECT_THAT(messages(), ElementsAre("无法删除脚本文件：" + file("jb_rec\\locked.ini") +
                                        "，它可能是只读的或正被其它程序使用。"));
    EXPECT_EQ(statusSeen_, "");
    EXPECT_EQ(read("jb_rec/locked.ini"), kScratch);
    EXPECT_THAT(items(*form().ComboBox_recjbname), ElementsAre("locked"));
}

TEST_F(RecLibraryTest, SaveReportsAFailedWriteAndNeverClaimsSuccess) {
    write("jb_rec/jb_rec.ini", kScratch);
    write("jb_rec/locked.ini", "locked");
    std::filesystem::permissions(file("jb_rec/locked.ini"), std::filesystem::perms::owner_read);
    form().Edit_recjbname->setText("locked");
    fp.dialogs.answerNext(MessageAnswer::Yes);
    statusDuringNextOperation();
    form().SpeedButton_saverecClick();
    EXPECT_THAT(messages(), ElementsAre("该脚本文件已存在，是否覆盖原有的文件？",
                                        "保存失败，无法写入文件：" + file("jb_rec\\locked.ini")));
    EXPECT_EQ(read("jb_rec/locked.ini"), "locked");
    EXPECT_EQ(statusSeen_, "");
}

TEST_F(RecLibraryTest, ReadMakesTheSelectionCurrentAndShowsItsLastFrame) {
    write("jb_rec/abc.ini", kScratch);
    form().SpeedButton_readrecClick();
    EXPECT_THAT(messages(), ElementsAre("请选取您要读取的脚本！"));

    select("abc");
    statusDuringNextOperation();
    form().SpeedButton_readrecClick();
    EXPECT_EQ(form().recname, "abc");
    EXPECT_EQ(form().Label_recjbname->text(), "abc");
    EXPECT_EQ(form().Label_recfra->text(), "1");
    EXPECT_EQ(statusSeen_, "已读取…");

    select("gone");  // no test that the file exists
    form().SpeedButton_readrecClick();
    EXPECT_EQ(form().recname, "gone");
    EXPECT_EQ(form().Label_recfra->text(), "-1");
}

TEST_F(RecLibraryTest, DeleteRemovesTheFileButNotTheScratchOrTheCurrentName) {
    write("jb_rec/jb_rec.ini", kScratch);
    write("jb_rec/abc.ini", kScratch);
    select("abc");
    form().SpeedButton_readrecClick();

    form().SpeedButton_delrecClick();
    EXPECT_FALSE(exists("jb_rec/abc.ini"));
    EXPECT_THAT(fp.recycleBin.recycled, ElementsAre(fake::FakeRecycleBin::Item{file("jb_rec\\abc.ini"), kScratch}));
    EXPECT_EQ(form().recname, "abc");
    EXPECT_EQ(form().Label_recjbname->text(), "abc");
    EXPECT_THAT(items(*form().ComboBox_recjbname), ElementsAre("jb_rec"));
    EXPECT_TRUE(fp.dialogs.shown.empty());

    select(" jb_rec ");
    form().SpeedButton_delrecClick();
    EXPECT_THAT(messages(), ElementsAre("名为'jb_rec'的脚本是临时存放录制信息的脚本，所以无法删除，请选取其它要删除的脚本！"));
    EXPECT_TRUE(exists("jb_rec/jb_rec.ini"));

    fp.dialogs.shown.clear();
    select("");
    form().SpeedButton_delrecClick();
    EXPECT_THAT(messages(), ElementsAre("请选取您要删除的脚本！"));

    // Where there is no Recycle Bin the file is deleted for good, without a word.
    fp.dialogs.shown.clear();
    fp.recycleBin.present = false;
    write("jb_rec/def.ini", kScratch);
    select("def");
    form().SpeedButton_delrecClick();
    EXPECT_FALSE(exists("jb_rec/def.ini"));
    EXPECT_EQ(fp.recycleBin.recycled.size(), 1u);
    EXPECT_THAT(items(*form().ComboBox_recjbname), ElementsAre("jb_rec"));
    EXPECT_TRUE(fp.dialogs.shown.empty());
}

TEST_F(RecLibraryTest, RenameChecksInOrderThenMovesTheFile) {
    write("jb_rec/jb_rec.ini", kScratch);
    write("jb_rec/a.ini", "A");
    write("jb_rec/b.ini", "B");
    auto& edit = ui::memory::as<ui::memory::MemoryEdit>(*form().Edit_recjbname);

    select("a");
    form().SpeedButton_renameClick();
    EXPECT_THAT(messages(), ElementsAre("重命名后文件名不能为空,请输入文件名！"));
    EXPECT_EQ(edit.focusCount(), 1);

    fp.dialogs.shown.clear();
    edit.setText("jb_rec");
    form().SpeedButton_renameClick();
    EXPECT_THAT(messages(), ElementsAre("由于软件本身的设置，脚本文件不能在命名为'jb_rec'！"));

    for (const char* selection : {"", "jb_rec"}) {
        fp.dialogs.shown.clear();
        edit.setText("c");
        select(selection);
        form().SpeedButton_renameClick();
        EXPECT_THAT(messages(), ElementsAre("请选择要重命名的文件，注意不能选择名为'jb_rec'文件！"));
    }

    for (const char* refused : {"b", "x\\y", "CON", "con."}) {
        fp.dialogs.shown.clear();
        edit.setText(refused);
        select("a");
        form().SpeedButton_renameClick();
        EXPECT_THAT(messages(), ElementsAre("系统不接受这样的文件名或你要改成的文件名已存在，请重命名！")) << refused;
        EXPECT_EQ(edit.selection(), std::make_pair(0, static_cast<int>(std::string(refused).size())));
        EXPECT_EQ(read("jb_rec/a.ini"), "A");
        EXPECT_EQ(read("jb_rec/b.ini"), "B");
    }

    fp.dialogs.shown.clear();
    edit.setText("测试二");
    select("a");
    statusDuringNextOperation();
    form().SpeedButton_renameClick();
    EXPECT_TRUE(fp.dialogs.shown.empty());
    EXPECT_EQ(read("jb_rec/测试二.ini"), "A");
    EXPECT_FALSE(exists("jb_rec/a.ini"));
    EXPECT_EQ(statusSeen_, "已修改…");
    EXPECT_EQ(edit.text(), "");
    EXPECT_THAT(items(*form().ComboBox_recjbname), UnorderedElementsAre("jb_rec", "b", "测试二"));
}

TEST_F(RecLibraryTest, ListingTakesExactlyTheLowerCaseIniEntries) {
    for (const char* f : {"jb_rec/x.ini", "jb_rec/Y.INI", "jb_rec/z.ini.bak", "jb_rec/.ini", "jb_rec/中文名.ini"})
        write(f, "");
    std::filesystem::create_directory(file("jb_rec/folder.ini"));
    form();
    EXPECT_THAT(items(*form().ComboBox_recjbname), UnorderedElementsAre("x", "", "中文名", "folder"));
}

}  // namespace
}  // namespace tapmill
