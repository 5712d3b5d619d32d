// The journal file format: what the recorder writes, and the one-pass loader checked against the
// profile layer's own reading of the same files.
#include "journal/journal_file.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/profile.h"

namespace tapmill::journal {
namespace {

bool operator==(const JournalEvent& a, const JournalEvent& b) {
    return a.message == b.message && a.paramL == b.paramL && a.paramH == b.paramH && a.time == b.time &&
           a.hwnd == b.hwnd;
}

class JournalFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_journal_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        path_ = dir_ + "/stjb.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void writeText(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string readText() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string dir_, path_;
};

TEST_F(JournalFileTest, EventsAreWrittenAsDenseSectionsOfSevenKeysThenTheCount) {
    writeJournalEvent(path_, 0, 0, 0, JournalEvent{0x200, 10, 20, 1000, 0x1004A});
    writeJournalEvent(path_, 1, 0, 0, JournalEvent{0x100, 0x1E41, 1, 1016, 0x1004A});
    writeJournalEventCount(path_, 2);
    EXPECT_EQ(readText(),
              "[0]\r\niCode=0\r\nwParam=0\r\nmessage=512\r\nparamL=10\r\nparamH=20\r\ntime=1000\r\nhwnd=65610\r\n"
              "[1]\r\niCode=0\r\nwParam=0\r\nmessage=256\r\nparamL=7745\r\nparamH=1\r\ntime=1016\r\nhwnd=65610\r\n"
              "[end]\r\nall=2\r\n");
}

TEST_F(JournalFileTest, ValuesOf2To31AndMoreAreStoredNegativeAndReadBackAsTheSameBits) {
    const JournalEvent event{0x80000201u, -5, INT32_MIN, 0xFFFFFFF0u, 0x80000001u};
    writeJournalEvent(path_, 0, 0, 0, event);
    writeJournalEventCount(path_, 1);
    const std::string text = readText();
    EXPECT_NE(text.find("message=-2147483135\r\n"), std::string::npos);
    EXPECT_NE(text.find("time=-16\r\n"), std::string::npos);
    EXPECT_NE(text.find("hwnd=-2147483647\r\n"), std::string::npos);

    const LoadedJournal loaded = loadJournal(path_);
    ASSERT_EQ(loaded.events.size(), 1u);
    EXPECT_TRUE(loaded.events[0] == event);
    EXPECT_TRUE(readJournalEvent(path_, 0) == event);
}

TEST_F(JournalFileTest, HexadecimalValuesAndAnythingThatIsNoNumber) {
    writeText("[0]\nmessage=0x201\nparamL= 0XFFFFFFFF \nparamH=12abc\nhwnd=\"0x10\"\n[end]\nall=0x1\n");
    const LoadedJournal loaded = loadJournal(path_);
    EXPECT_EQ(loaded.storedCount, 1);
    ASSERT_EQ(loaded.events.size(), 1u);
    EXPECT_EQ(loaded.events[0].message, 0x201u);
    EXPECT_EQ(loaded.events[0].paramL, -1);
    EXPECT_EQ(loaded.events[0].paramH, 0);  // not a number
    EXPECT_EQ(loaded.events[0].time, 0u);   // missing
    EXPECT_EQ(loaded.events[0].hwnd, 0x10u);
}

TEST_F(JournalFileTest, WithoutItsEndSectionAJournalHasNoEvents) {
    writeText("[0]\nmessage=512\n[1]\nmessage=513\n");
    EXPECT_EQ(loadJournal(path_).events.size(), 0u);
    EXPECT_EQ(readJournalEventCount(path_), 0);

    std::filesystem::remove(path_);
    const LoadedJournal missing = loadJournal(path_);
    EXPECT_EQ(missing.storedCount, 0);
    EXPECT_TRUE(missing.events.empty());
}

TEST_F(JournalFileTest, TheCountDecidesHowManyEventsThereAreWhateverTheSectionsSay) {
    writeText("[0]\nmessage=512\n[5]\nmessage=513\n[end]\nall=3\n");
    LoadedJournal loaded = loadJournal(path_);
    ASSERT_EQ(loaded.events.size(), 3u);  // event 5 lies beyond the count; 1 and 2 are missing
    EXPECT_EQ(loaded.events[0].message, 512u);
    EXPECT_EQ(loaded.events[2].message, 0u);

    writeText("[0]\nmessage=512\n[end]\nall=-4\n");
    loaded = loadJournal(path_);
    EXPECT_EQ(loaded.storedCount, -4);
    EXPECT_TRUE(loaded.events.empty());

    writeText("[end]\nall=2000000\n");
    loaded = loadJournal(path_);
    EXPECT_EQ(loaded.storedCount, 2000000);
    EXPECT_EQ(loaded.events.size(), static_cast<size_t>(kMaxJournalEvents));
}

// The loader reads the file in one pass by the profile layer's line rules; for every event and
// key it must give what a profile read of that key gives.
TEST_F(JournalFileTest, TheLoaderReadsWhatTheProfileLayerReads) {
    writeText(
        "message=999\r\n"                 // before any section: ignored
        "[0]\r\nMESSAGE = 513 \r\nparaml=-7\r\nparamL=8\r\n"  // names without case; the first key counts
        "  [ 1 ]  \r\nmessage='514'\r\ntime=\"0x10\"\r\n"     // blanks around names; quotes
        "[2\r\nparamL=9\r\n"              // no closing bracket: still section 1
        "[\x81]\r\nparamH=3\r\n"          // ']' as a GBK trail byte closes nothing: still section 1
        "[01]\r\nmessage=600\r\n"         // not event 1
        "[0]\r\nmessage=700\r\nhwnd=5\r\n"  // a later duplicate section does not count
        "[3]\rmessage=516\rparamH=4\r"    // lone CR line breaks
        "[4]\nmessage\nmessage=517=x\n"   // a line without '=' is no key
        "[End]\nall=6\n[end]\nall=9\n");
    const LoadedJournal loaded = loadJournal(path_);
    ASSERT_EQ(loaded.storedCount, profile::readInteger(path_, "end", "all", 0));
    ASSERT_EQ(loaded.events.size(), 6u);
    const char* keys[] = {"message", "paramL", "paramH", "time", "hwnd"};
    for (int i = 0; i < 6; ++i) {
        const JournalEvent& e = loaded.events[static_cast<size_t>(i)];
        const uint32_t fields[] = {e.message, static_cast<uint32_t>(e.paramL), static_cast<uint32_t>(e.paramH), e.time,
                                   e.hwnd};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(fields[k], static_cast<uint32_t>(profile::readInteger(path_, std::to_string(i), keys[k], 0)))
                << "event " << i << " key " << keys[k];
    }
    EXPECT_EQ(loaded.events[0].message, 513u);
    EXPECT_EQ(loaded.events[1].time, 16u);
    EXPECT_EQ(loaded.events[1].paramL, 9);
    EXPECT_EQ(loaded.events[1].paramH, 3);
    EXPECT_EQ(loaded.events[0].hwnd, 0u);
}

TEST_F(JournalFileTest, AJournalLongerThanAHundredThousandEventsLoadsWhole) {
    constexpr int kEvents = 150000;
    std::string text;
    text.reserve(kEvents * 100);
    for (int i = 0; i < kEvents; ++i) {
        text += "[" + std::to_string(i) + "]\r\niCode=0\r\nwParam=0\r\nmessage=512\r\nparamL=" + std::to_string(i % 1024) +
                "\r\nparamH=" + std::to_string(i / 1024) + "\r\ntime=" + std::to_string(i * 7) + "\r\nhwnd=0\r\n";
    }
    text += "[end]\r\nall=" + std::to_string(kEvents) + "\r\n";
    writeText(text);

    const LoadedJournal loaded = loadJournal(path_);
    ASSERT_EQ(loaded.events.size(), static_cast<size_t>(kEvents));
    for (int i : {0, 99999, 100000, kEvents - 1}) {
        const JournalEvent& e = loaded.events[static_cast<size_t>(i)];
        EXPECT_EQ(e.paramL, i % 1024);
        EXPECT_EQ(e.paramH, i / 1024);
        EXPECT_EQ(e.time, static_cast<uint32_t>(i * 7));
    }
}

}  // namespace
}  // namespace tapmill::journal
