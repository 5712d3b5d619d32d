// Files too large for the 32-bit program's memory: a recording, a journal, a script or a settings
// file of a gigabyte. The files are sparse, so they cost no disk and are never read whole: what is
// tested is that the program does not try. Nothing it cannot read is changed.
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "common/profile.h"
#include "journal/journal_file.h"
#include "plain/open_recording.h"
#include "platform/fake/fake_tray.h"
#include "scripts/script_file.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr uint64_t kGigabyte = 1ull << 30;

class LargeFilesTest : public testing::FormFixture {
protected:
    // `head` followed by zero bytes up to `size`: what a reader would have to take in whole.
    void writeSparse(const std::string& relative, const std::string& head, uint64_t size) {
        write(relative, head);
        ASSERT_EQ(::truncate(file(relative).c_str(), static_cast<off_t>(size)), 0);
    }
    uint64_t sizeOf(const std::string& relative) const { return std::filesystem::file_size(file(relative)); }
    std::string head(const std::string& relative, size_t bytes) const {
        std::string out(bytes, '\0');
        std::ifstream(file(relative), std::ios::binary).read(&out[0], static_cast<std::streamsize>(bytes));
        return out;
    }
};

TEST_F(LargeFilesTest, AProfileFileBeyondTheLimitReadsAsUnreadableAndRefusesWritesUntilItShrinks) {
    const std::string path = file("config.ini");
    writeSparse("config.ini", "[lzsy]\r\nx=1\r\n", profile::kMaxFileBytes + 1);

    EXPECT_EQ(profile::readInteger(path, "lzsy", "x", 0), 0);
    EXPECT_THAT(profile::sectionNames(path), IsEmpty());
    try {
        profile::writeInteger(path, "lzsy", "x", 0);
        FAIL() << "a write into a file that could not be read";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    profile::eraseSection(path, "lzsy");
    EXPECT_EQ(sizeOf("config.ini"), profile::kMaxFileBytes + 1);
    EXPECT_EQ(head("config.ini", 13), "[lzsy]\r\nx=1\r\n");

    // Cut back to what it held, it is an ordinary file again.
    ASSERT_EQ(::truncate(path.c_str(), 13), 0);
    EXPECT_EQ(profile::readInteger(path, "lzsy", "x", 0), 1);
    profile::writeInteger(path, "bfsy", "x", 1);
    EXPECT_EQ(read("config.ini"), "[lzsy]\r\nx=1\r\n[bfsy]\r\nx=1\r\n");
}

TEST_F(LargeFilesTest, AGigabyteCurrentRecordingLeavesTheShowStepWholeAndPlaysWithAMessage) {
    writeSparse("jb_rec/jb_rec.ini", "[0]\r\nx=1\r\ny=2\r\n[all]\r\nvalue=1\r\n", kGigabyte);
    write("config.ini", "[lzsy]\r\nx=1\r\n[plan]\r\nstate=true\r\n");
    write("plan.ini", "[task]\r\nTime=20260101000000\r\n");

    TForm_maintapmill& form = shownForm();

    // Every later step of the show still ran.
    EXPECT_EQ(form.Label_recfra->text(), "-1");
    EXPECT_THAT(items(*form.ListBox_plan), ElementsAre("task"));
    EXPECT_EQ(form.StatusBar->panelText(2), "计划任务:已启动");
    EXPECT_TRUE(form.CheckBox_lzsy->checked());
    ASSERT_FALSE(fp.tray.calls.empty());
    EXPECT_EQ(fp.tray.calls[0].call, fake::FakeTray::Call::Add);
    EXPECT_THAT(messages(), IsEmpty());

    form.SpeedButton_playClick();
    EXPECT_THAT(messages(), ElementsAre("名为：'jb_rec'脚本文件太大，无法播放！"));
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_FALSE(form.playing);
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
    EXPECT_TRUE(form.SpeedButton_play->enabled());

    // Saved under a name it would pass through memory whole: refused, nothing written.
    form.Edit_recjbname->setText("copy");
    form.SpeedButton_saverecClick();
    EXPECT_EQ(messages().back(), "录制的脚本太大，无法保存！");
    EXPECT_FALSE(exists("jb_rec/copy.ini"));
    EXPECT_EQ(sizeOf("jb_rec/jb_rec.ini"), kGigabyte);
}

TEST_F(LargeFilesTest, AJournalOrScriptBeyondWhatTheProgramReadsHasNothingInIt) {
    writeSparse("jb_strec/big.ini", "[end]\r\nall=3\r\n", kGigabyte);
    const journal::LoadedJournal loaded = journal::loadJournal(file("jb_strec/big.ini"));
    EXPECT_EQ(loaded.storedCount, 0);
    EXPECT_THAT(loaded.events, IsEmpty());
    EXPECT_EQ(journal::readJournalEventCount(file("jb_strec/big.ini")), 0);

    writeSparse("jb_homa/big.ini", "开始\r\n结束\r\n", scripts::kMaxScriptFileBytes + 1);
    EXPECT_FALSE(scripts::readScriptFile(file("jb_homa/big.ini")).has_value());
    writeSparse("jb_homa/fits.ini", "开始\r\n结束\r\n", 12);
    EXPECT_TRUE(scripts::readScriptFile(file("jb_homa/fits.ini")).has_value());

    // Enabled and run, the script that cannot be read is a faulty script.
    TForm_maintapmill& form = shownForm();
    form.usename = "big";
    form.Speedbutton_runClick();
    EXPECT_THAT(messages(), ElementsAre("脚本出错，请检查后再运行！"));
    EXPECT_FALSE(form.running);
    EXPECT_EQ(sizeOf("jb_homa/big.ini"), scripts::kMaxScriptFileBytes + 1);
}

TEST_F(LargeFilesTest, TheOpenRecordingIsFullOnceItsFileReachesItsLimit) {
    OpenRecording recording(64);
    recording.open(file("jb_rec/jb_rec.ini"));
    EXPECT_FALSE(recording.full());
    int32_t frame = 0;
    while (!recording.full()) {
        ASSERT_TRUE(recording.writeFrame(frame, 100, 200));
        ASSERT_LT(++frame, 10) << "the file never reached its limit";
    }
    EXPECT_GE(sizeOf("jb_rec/jb_rec.ini"), 64u);
    EXPECT_LT(sizeOf("jb_rec/jb_rec.ini"), 64u + 20u);  // the frame that reached it, no more
}

TEST_F(LargeFilesTest, ARecordingThatReachesItsSizeLimitEndsAsAtTheFrameLimitWithItsCount) {
    TForm_maintapmill& form = shownForm();
    const std::string scratch = form.exedir + "jb_rec\\jb_rec.ini";
    // Whatever made the file this large, the next frame finds it full.
    fp.pump.at(fp.pump.now() + 50, [&] {
        ASSERT_EQ(::truncate(file("jb_rec/jb_rec.ini").c_str(), static_cast<off_t>(OpenRecording::kByteLimit)), 0);
    });
    fp.pump.at(fp.pump.now() + 10000, [&] { form.OnWMHotKey(HK_Stop); });

    form.SpeedButton_recClick();

    EXPECT_THAT(messages(), ElementsAre("所做的记录时间超过了软件本身所能给定的时间！"));
    EXPECT_FALSE(form.recording);
    EXPECT_TRUE(form.SpeedButton_rec->enabled());
    // Frames 0 and 1 before the file grew, frame 2 after it: all three counted and kept.
    EXPECT_EQ(profile::readInteger(scratch, "all", "value", 0), 3);
    for (const char* frame : {"0", "1", "2"}) EXPECT_TRUE(profile::sectionExists(scratch, frame)) << frame;
}

}  // namespace
}  // namespace tapmill
