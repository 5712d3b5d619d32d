// Files the program is given rather than ones it wrote: garbage, empty files, folders where files
// belong, counts out of range and very long lists. Each reads as a sound default or ends with a
// clear message, and nothing stored in them is changed by reading them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/profile.h"
#include "journal/journal_file.h"
#include "support/form_fixture.h"
#include "triggers/plan_check.h"
#include "ui/memory/memory_controls.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Bytes of every value, line breaks, brackets and equals signs among them, the same every run.
std::string garbage(size_t size, uint32_t seed) {
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        out += static_cast<char>(seed >> 16);
    }
    return out;
}

class BadInputsTest : public testing::FormFixture {
protected:
    std::map<std::string, std::string> snapshot(const std::vector<std::string>& relatives) const {
        std::map<std::string, std::string> out;
        for (const std::string& r : relatives) out[r] = read(r);
        return out;
    }
};

TEST_F(BadInputsTest, GarbageInEveryFileReadsAsDefaultsAndStaysAsItWas) {
    const std::vector<std::string> files = {"config.ini", "plan.ini",         "hotkey.ini",
                                            "jb_rec/jb_rec.ini", "jb_strec/stjb.ini", "jb_homa/junk.ini"};
    uint32_t seed = 1;
    for (const std::string& f : files) write(f, garbage(4096, seed++));
    const auto before = snapshot(files);

    TForm_maintapmill& form = shownForm();
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(form.Label_recfra->text(), "-1");
    EXPECT_EQ(form.label_stfra->text(), "-1");
    EXPECT_EQ(form.StatusBar->panelText(2), "计划任务:未启动");
    EXPECT_FALSE(form.CheckBox_lzsy->checked() || form.CheckBox_bfsy->checked() || form.CheckBox_autorun->checked());

    form.SpeedButton_playClick();  // no frames: nothing to play, nothing to say
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_THAT(journal::loadJournal(file("jb_strec/stjb.ini")).events, IsEmpty());

    form.usename = "junk";  // no end line among the garbage: a faulty script
    form.Speedbutton_runClick();
    EXPECT_THAT(messages(), ElementsAre("脚本出错，请检查后再运行！"));
    EXPECT_EQ(snapshot(files), before);

    // A save keeps what the file held and adds the settings after it.
    form.Speedbutton_savesetClick();
    const std::string config = read("config.ini");
    EXPECT_EQ(config.substr(0, 4096), before.at("config.ini"));
    EXPECT_EQ(profile::readInteger(file("config.ini"), "bfsy", "x", 7), 0);
    EXPECT_EQ(profile::readInteger(file("config.ini"), "autorun", "x", 7), 0);
}

TEST_F(BadInputsTest, EmptyFilesOfEveryKindReadAsNothingStored) {
    for (const char* f : {"config.ini", "plan.ini", "jb_rec/jb_rec.ini", "jb_strec/stjb.ini", "jb_homa/empty.ini"})
        write(f, "");

    TForm_maintapmill& form = shownForm();
    EXPECT_EQ(form.Label_recfra->text(), "-1");
    EXPECT_EQ(form.label_stfra->text(), "-1");
    EXPECT_EQ(form.ListBox_plan->count(), 0);
    EXPECT_EQ(form.StatusBar->panelText(2), "计划任务:未启动");
    form.usename = "empty";
    form.Speedbutton_runClick();
    EXPECT_THAT(messages(), ElementsAre("脚本出错，请检查后再运行！"));
}

TEST_F(BadInputsTest, RecordingCountsAndPositionsOutOfRange) {
    struct Case {
        const char* value;
        const char* shown;  // beside "录制帧数:": the count less one, as stored
    };
    for (const Case& c : {Case{"-5", "-6"}, Case{"99999999999", "-1"}, Case{"0x7FFFFFFF", "2147483646"},
                          Case{"", "-1"}, Case{"12abc", "-1"}}) {
        write("jb_rec/jb_rec.ini", std::string("[0]\r\nx=99999999999\r\ny=-7\r\n[all]\r\nvalue=") + c.value + "\r\n");
        EXPECT_EQ(shownForm().Label_recfra->text(), c.shown) << c.value;
    }

    // A negative count plays nothing; a position beyond 32 bits reads as 0.
    write("jb_rec/jb_rec.ini", "[0]\r\nx=99999999999\r\ny=-7\r\n[all]\r\nvalue=-5\r\n");
    TForm_maintapmill& form = shownForm();
    form.SpeedButton_playClick();
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    write("jb_rec/jb_rec.ini", "[0]\r\nx=99999999999\r\ny=-7\r\n[all]\r\nvalue=1\r\n");
    form.SpeedButton_playClick();
    ASSERT_FALSE(fp.input.calls().empty());
    EXPECT_EQ(fp.input.calls().front(), (fake::InputCall{fake::InputCall::SetCursor, 0, -7}));
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(BadInputsTest, JournalCountsOutOfRangeAndBeyondTheRecordersLimit) {
    struct Case {
        const char* all;
        size_t tableSize;
        const char* shown;  // beside "录制帧数:" once loaded
    };
    const std::string path = file("jb_strec/stjb.ini");
    for (const Case& c : {Case{"-7", 0, "-8"}, Case{"4294967296", 0, "-1"}, Case{"0x10", 16, "15"},
                          Case{"1000001", 1000000, "1000000"}}) {
        write("jb_strec/stjb.ini", std::string("[0]\r\nmessage=512\r\n[999999]\r\nmessage=513\r\n[1000000]\r\n"
                                               "message=514\r\n[end]\r\nall=") + c.all + "\r\n");
        const journal::LoadedJournal loaded = journal::loadJournal(path);
        EXPECT_EQ(loaded.events.size(), c.tableSize) << c.all;
        if (c.tableSize == 1000000u) {
            // The table holds the recorder's limit; the event beyond it is left out, not written past the end.
            EXPECT_EQ(loaded.events[0].message, 512u);
            EXPECT_EQ(loaded.events[999999].message, 513u);
        }
        TForm_maintapmill& form = shownForm();
        form.loadJournal("stjb");
        EXPECT_EQ(form.label_stfra->text(), c.shown) << c.all;
        EXPECT_EQ(form.stjournal.current.table.size(), c.tableSize) << c.all;
    }
}

TEST_F(BadInputsTest, AFolderWhereAFileBelongsIsNeverOverwritten) {
    std::filesystem::create_directory(file("jb_rec/dir.ini"));
    std::filesystem::create_directory(file("config.ini"));
    write("jb_rec/jb_rec.ini", "[0]\r\nx=1\r\ny=1\r\n[all]\r\nvalue=1\r\n");

    TForm_maintapmill& form = shownForm();
    EXPECT_THAT(items(*form.ComboBox_recjbname), ::testing::Contains("dir"));
    EXPECT_FALSE(form.CheckBox_lzsy->checked());

    form.recname = "dir";  // exists, holds no frames: nothing plays
    form.SpeedButton_playClick();
    EXPECT_THAT(fp.input.calls(), IsEmpty());

    fp.dialogs.answerNext(platform::MessageAnswer::Yes);  // overwrite "dir"?
    form.Edit_recjbname->setText("dir");
    form.SpeedButton_saverecClick();
    EXPECT_THAT(messages().back(), HasSubstr("保存失败，无法写入文件："));
    EXPECT_TRUE(std::filesystem::is_directory(file("jb_rec/dir.ini")));

    try {
        form.Speedbutton_savesetClick();
        FAIL() << "the settings were saved into a folder";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + form.exedir + "config.ini");
    }
    EXPECT_TRUE(std::filesystem::is_directory(file("config.ini")));
}

TEST_F(BadInputsTest, APlanOfTenThousandTasksIsListedWholeAndItsLastTaskStillStarts) {
    std::string plan;
    for (int i = 0; i < 10000; ++i)
        plan += "[task" + std::to_string(i) + "]\r\nTime=" + (i == 9999 ? "20261207085959" : "20261207000000") +
                "\r\njbname=sM\r\ntimes=1\r\nE=N\r\n";
    write("plan.ini", plan);

    TForm_maintapmill& form = shownForm();
    ASSERT_EQ(form.ListBox_plan->count(), 10000);
    EXPECT_EQ(form.ListBox_plan->item(9999), "task9999");

    // The check walks the whole list and starts the one task due now, the last one.
    struct FixedClock : platform::LocalClock {
        LocalTime now() override { return {2026, 12, 7, 8, 59, 59}; }
    } clock;
    std::vector<std::string> started;
    const bool planon = true;
    plan::checkDueTasks(file("plan.ini"), *form.ListBox_plan, clock, planon,
                        [&](const std::string& section) { started.push_back(section); });
    EXPECT_THAT(started, ElementsAre("task9999"));
}

}  // namespace
}  // namespace tapmill
