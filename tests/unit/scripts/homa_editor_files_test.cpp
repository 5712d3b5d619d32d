// The editor's script file: save (with and without a rename), the name rules, delete, new, exit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "scripts/homa_editor_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using platform::MessageAnswer;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class EditorFilesTest : public testing::EditorFixture {
protected:
    // Every entry below the program folder with its bytes, to see what an operation wrote.
    std::set<std::string> programFolder() const {
        std::set<std::string> out;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_)) {
            std::string bytes;
            files::readAll(entry.path().string(), bytes);
            out.insert(entry.path().string() + ":" + bytes);
        }
        return out;
    }
    std::vector<std::vector<std::string>> tableRows() {
        std::vector<std::vector<std::string>> out;
        ui::ListView& table = *form().ListView_homa;
        for (int r = 0; r < table.rowCount(); ++r) out.push_back({table.cell(r, 1), table.cell(r, 2)});
        return out;
    }
    void addClickAboveEnd() {
        choose(editor().lines->count() - 1);
        editor().ComboBox_mou->setSelectedIndex(0);
        press(ID_SpeedButton_add3);
    }
    void saveAs(const std::string& name) {
        editor().Edit_jbname->setText(name);
        press(ID_SpeedButton_save);
    }
};

TEST_F(EditorFilesTest, ANewScriptIsWrittenAsGbkWithCrLfListedAndRewrittenInPlace) {
    open();
    addClickAboveEnd();
    saveAs("编辑测试");
    EXPECT_EQ(fileBytes("编辑测试"), expectedBytes({"开始", "单击鼠标左键", "结束"}));
    EXPECT_THAT(tableRows(), ElementsAre(ElementsAre("编辑测试", "否")));
    // The saved file is the script's from now on: a later rename moves it, delete removes it.
    EXPECT_EQ(form().editname, "编辑测试");

    addClickAboveEnd();
    saveAs("编辑测试");
    EXPECT_EQ(fileBytes("编辑测试"), expectedBytes({"开始", "单击鼠标左键", "单击鼠标左键", "结束"}));
    EXPECT_THAT(tableRows(), ElementsAre(ElementsAre("编辑测试", "否")));

    // Lines read from a file go back byte for byte, whatever they hold.
    writeFile("jb_homa/raw.ini", gbk("开始") + "\n\xff\xfe\r" + gbk("结束"));
    open("raw");
    press(ID_SpeedButton_save);
    EXPECT_EQ(fileBytes("raw"), gbk("开始") + "\r\n\xff\xfe\r\n" + gbk("结束") + "\r\n");
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(EditorFilesTest, ANewNameRenamesTheFileAndTheEnabledMarkFollows) {
    script("a", {"开始", "结束"});
    script("other", {"开始", "结束"});
    form().usename = "a";
    open("a");
    addClickAboveEnd();
    saveAs("b");
    EXPECT_FALSE(scriptExists("a"));
    EXPECT_EQ(fileBytes("b"), expectedBytes({"开始", "单击鼠标左键", "结束"}));
    EXPECT_EQ(form().usename, "b");
    EXPECT_EQ(form().editname, "b");
    EXPECT_THAT(tableRows(), ::testing::UnorderedElementsAre(ElementsAre("b", "是"), ElementsAre("other", "否")));

    form().usename = "other";
    saveAs("c");
    EXPECT_TRUE(scriptExists("c"));
    EXPECT_FALSE(scriptExists("b"));
    EXPECT_EQ(form().usename, "other");
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(EditorFilesTest, ANewScriptSavedOverAnotherAsksAndOnlyYesReplacesIt) {
    script("taken", {"开始", "单击鼠标右键", "结束"});
    open();
    addClickAboveEnd();
    saveAs("taken");  // unanswered: No
    ASSERT_THAT(messages(), ElementsAre("该脚本文件已存在，是否覆盖原有的文件？"));
    EXPECT_EQ(fp.dialogs.shown[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(fileBytes("taken"), expectedBytes({"开始", "单击鼠标右键", "结束"}));
    EXPECT_EQ(form().editname, "");

    fp.dialogs.answerNext(platform::MessageAnswer::Yes);
    saveAs("taken");
    EXPECT_EQ(fileBytes("taken"), expectedBytes({"开始", "单击鼠标左键", "结束"}));
    EXPECT_EQ(form().editname, "taken");
    // Its own file now: saved again, or renamed to a name that ends in a dot, nothing is asked.
    fp.dialogs.shown.clear();
    saveAs("taken");
    saveAs("taken.");
    EXPECT_FALSE(scriptExists("taken"));
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(fileBytes("taken."), expectedBytes({"开始", "单击鼠标左键", "结束"}));
}

TEST_F(EditorFilesTest, ARefusedNameWritesNothingAndHandsTheNameBack) {
    script("a", {"开始", "单击鼠标右键", "结束"});
    script("taken", {"开始", "结束"});
    form().usename = "a";
    open("a");
    addClickAboveEnd();
    const auto before = programFolder();
    // Characters Windows refuses, ways out of the folder, a device, and another script's name.
    for (const std::string name : {"bad:name", "..\\jb_rec\\x", "../x", "CON", "taken"}) {
        fp.dialogs.shown.clear();
        const int focusBefore = focusCount(*editor().Edit_jbname);
        saveAs(name);
        EXPECT_THAT(messages(), ElementsAre("系统不接受这样的文件名，请重命名！")) << name;
        EXPECT_EQ(editor().Edit_jbname->selection(), std::make_pair(0, static_cast<int>(name.size())));
        EXPECT_EQ(focusCount(*editor().Edit_jbname), focusBefore + 1);
    }
    // Without a file to rename the refusal names the rules; blanks alone are no name at all.
    open();
    for (const std::string name : {"a|b", "../escape", "nul. "}) {
        fp.dialogs.shown.clear();
        saveAs(name);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_THAT(messages()[0], StartsWith("无法以“" + name + "”为名保存"));
    }
    fp.dialogs.shown.clear();
    saveAs("   ");
    EXPECT_THAT(messages(), ElementsAre("脚本名不能为空！"));
    EXPECT_EQ(programFolder(), before);
    EXPECT_EQ(form().usename, "a");
}

TEST_F(EditorFilesTest, AFileThatCannotBeWrittenOrDeletedIsReported) {
    script("ro", {"开始", "结束"});
    std::filesystem::permissions(scriptPath("ro"), std::filesystem::perms::owner_read);
    form().usename = "ro";
    open("ro");
    addClickAboveEnd();
    press(ID_SpeedButton_save);
    press(ID_SpeedButton_deljb);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_THAT(messages()[0], StartsWith("保存失败，无法写入文件："));
    EXPECT_THAT(messages()[1], StartsWith("无法删除脚本文件："));
    EXPECT_EQ(fileBytes("ro"), expectedBytes({"开始", "结束"}));
    EXPECT_EQ(form().usename, "ro");
    EXPECT_EQ(form().editname, "ro");
    EXPECT_FALSE(editorWindow().closed());
}

TEST_F(EditorFilesTest, DeleteRemovesTheFileClearsTheNamesAndCloses) {
    script("a", {"开始", "结束"});
    script("b", {"开始", "结束"});
    form().usename = "a";
    open("a");
    press(ID_SpeedButton_deljb);
    EXPECT_FALSE(scriptExists("a"));
    ASSERT_EQ(fp.recycleBin.recycled.size(), 1u);
    EXPECT_EQ(fp.recycleBin.recycled[0].bytes, expectedBytes({"开始", "结束"}));
    EXPECT_EQ(form().usename, "");
    EXPECT_EQ(form().editname, "");
    EXPECT_THAT(tableRows(), ElementsAre(ElementsAre("b", "否")));
    EXPECT_TRUE(editorWindow().closed());

    // A script never saved has no file: the one named ".ini" is not its.
    form().usename = "b";
    script("", {"开始", "结束"});
    const auto before = programFolder();
    open();
    addClickAboveEnd();
    press(ID_SpeedButton_deljb);
    EXPECT_EQ(programFolder(), before);
    EXPECT_EQ(form().usename, "b");
    EXPECT_TRUE(editorWindow().closed());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(EditorFilesTest, TheScriptsPicturesFollowARenameAndADeleteButNeverOntoAnotherFolder) {
    script("a", {"开始", "结束"});
    std::filesystem::create_directories(dir_ + "/jb_homa/图片/a");
    std::filesystem::create_directories(dir_ + "/jb_homa/图片/left");
    writeFile("jb_homa/图片/a/1.bmp", "picture");
    open("a");
    saveAs("left");
    EXPECT_THAT(messages(), ElementsAre(StartsWith("无法改名：已有图片文件夹")));
    EXPECT_TRUE(scriptExists("a"));
    EXPECT_EQ(form().editname, "a");

    saveAs("b");
    EXPECT_TRUE(scriptExists("b"));
    std::string moved;
    EXPECT_TRUE(files::readAll(dir_ + "/jb_homa/图片/b/1.bmp", moved));
    EXPECT_EQ(moved, "picture");
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/jb_homa/图片/a"));

    press(ID_SpeedButton_deljb);
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/jb_homa/图片/b"));
    ASSERT_EQ(fp.recycleBin.recycled.size(), 2u);
    EXPECT_THAT(fp.recycleBin.recycled[1].path, ::testing::EndsWith("图片\\b"));
    EXPECT_TRUE(std::filesystem::exists(dir_ + "/jb_homa/图片/left"));
    EXPECT_EQ(messages().size(), 1u);
}

// Without a Recycle Bin the folder goes for good; a read-only picture keeps it there.
TEST_F(EditorFilesTest, APictureFolderThatStaysBehindADeletedScriptIsToldOf) {
    script("a", {"开始", "结束"});
    std::filesystem::create_directories(dir_ + "/jb_homa/图片/a");
    writeFile("jb_homa/图片/a/1.bmp", "picture");
    std::filesystem::permissions(dir_ + "/jb_homa/图片/a/1.bmp", std::filesystem::perms::owner_read);
    fp.recycleBin.present = false;
    open("a");
    press(ID_SpeedButton_deljb);
    EXPECT_FALSE(scriptExists("a"));
    EXPECT_THAT(messages(), ElementsAre(StartsWith("脚本已删除，但无法删除它的图片文件夹")));
    EXPECT_TRUE(editorWindow().closed());
}

TEST_F(EditorFilesTest, NewScriptStartsOverAndExitClosesWithoutAsking) {
    script("a", {"开始", "单击鼠标左键", "结束"});
    open("a");
    const int focusBefore = focusCount(*editor().Edit_jbname);
    press(ID_SpeedButton_newjb);
    EXPECT_THAT(shownLines(), ElementsAre("开始", "结束"));
    EXPECT_EQ(form().editname, "");
    EXPECT_EQ(editor().Edit_jbname->text(), "请输入脚本名");
    EXPECT_EQ(editor().Edit_jbname->selection(), std::make_pair(0, static_cast<int>(std::string("请输入脚本名").size())));
    EXPECT_EQ(focusCount(*editor().Edit_jbname), focusBefore + 1);
    EXPECT_EQ(chosenLine(), 1);

    press(ID_SpeedButton_exit);
    EXPECT_TRUE(editorWindow().closed());
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(fileBytes("a"), expectedBytes({"开始", "单击鼠标左键", "结束"}));
}

TEST_F(EditorFilesTest, LeavingWithChangedLinesAsksAndOnlyNoLeavesThemUnsaved) {
    const char* const kAsk = "脚本已修改，是否保存？";
    script("a", {"开始", "结束"});
    open("a");
    addClickAboveEnd();
    fp.dialogs.answerNext(MessageAnswer::Cancel);
    press(ID_SpeedButton_exit);
    ASSERT_THAT(messages(), ElementsAre(kAsk));
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(fp.dialogs.shown[0].buttons, platform::MessageButtons::YesNoCancel);
    EXPECT_FALSE(editorWindow().closed());

    // Closing the window asks the same.
    fp.dialogs.answerNext(MessageAnswer::No);
    editor().window->close();
    EXPECT_THAT(messages(), ElementsAre(kAsk, kAsk));
    EXPECT_TRUE(editorWindow().closed());
    EXPECT_EQ(fileBytes("a"), expectedBytes({"开始", "结束"}));

    // Lines put back as they were loaded are no change.
    open("a");
    addClickAboveEnd();
    choose(1);
    press(ID_SpeedButton_del);
    press(ID_SpeedButton_exit);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_TRUE(editorWindow().closed());
}

TEST_F(EditorFilesTest, YesSavesAsSaveDoesAndAFailedSaveKeepsTheEditorOpen) {
    script("a", {"开始", "结束"});
    open("a");
    addClickAboveEnd();
    fp.dialogs.answerNext(MessageAnswer::Yes);
    press(ID_SpeedButton_exit);
    EXPECT_EQ(fileBytes("a"), expectedBytes({"开始", "单击鼠标左键", "结束"}));
    EXPECT_TRUE(editorWindow().closed());

    // Saved lines need no question.
    open("a");
    addClickAboveEnd();
    press(ID_SpeedButton_save);
    press(ID_SpeedButton_exit);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(editorWindow().closed());

    // A save over another script asks as 保存 does; its No keeps the lines and the editor.
    script("b", {"开始", "结束"});
    open();
    addClickAboveEnd();
    editor().Edit_jbname->setText("b");
    fp.dialogs.answerNext(MessageAnswer::Yes);
    fp.dialogs.answerNext(MessageAnswer::No);
    press(ID_SpeedButton_exit);
    EXPECT_THAT(messages(), ElementsAre("脚本已修改，是否保存？", "脚本已修改，是否保存？",
                                        "该脚本文件已存在，是否覆盖原有的文件？"));
    EXPECT_FALSE(editorWindow().closed());
    EXPECT_EQ(fileBytes("b"), expectedBytes({"开始", "结束"}));

    std::filesystem::permissions(scriptPath("a"), std::filesystem::perms::owner_read);
    editor().Edit_jbname->setText("a");
    fp.dialogs.answerNext(MessageAnswer::Yes);
    fp.dialogs.answerNext(MessageAnswer::Yes);
    press(ID_SpeedButton_exit);
    EXPECT_THAT(messages().back(), StartsWith("保存失败，无法写入文件："));
    EXPECT_FALSE(editorWindow().closed());
}

}  // namespace
}  // namespace tapmill
