#include "common/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "common/error.h"

namespace tapmill::profile {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Each test works in a folder of its own, so the process-wide cache never sees a path twice.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_profile_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder_ = name;
    }
    void TearDown() override {
        // Read-only files must not keep the folder from going.
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            ::chmod(entry.path().c_str(), 0644);
        std::filesystem::remove_all(folder_);
    }

    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    // Writes bytes as another program would, without going through the profile layer.
    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }

    static std::string bytesOf(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Left-over temporary files would show here.
    std::vector<std::string> filesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        return names;
    }

    static ino_t inodeOf(const std::string& file) {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_ino;
    }

    // Moves the modification time away from the one the cache saw, as a later write would.
    static void touchLater(const std::string& file) {
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        times[1].tv_sec += 5;
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    }

    // The failing call throws exactly "Unable to write to <file>".
    template <typename Call>
    static void expectWriteFailure(const std::string& file, Call call) {
        try {
            call();
            ADD_FAILURE() << "no exception for " << file;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
        }
    }

    std::string folder_;
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheFallback) {
    std::string missing = path("none.ini");
    EXPECT_EQ(readString(missing, "s", "k", "dflt"), "dflt");
    EXPECT_EQ(readInteger(missing, "s", "k", -7), -7);
    EXPECT_THAT(sectionNames(missing), IsEmpty());
    EXPECT_FALSE(sectionExists(missing, "s"));

    std::string file = put("a.ini", "[s]\r\nk=v\r\nempty=\r\nblank=   \r\n");
    EXPECT_EQ(readString(file, "other", "k", "dflt"), "dflt");
    EXPECT_EQ(readString(file, "s", "other", "dflt"), "dflt");
    EXPECT_EQ(readString(file, "s", "k", "dflt"), "v");
    EXPECT_EQ(readString(file, "s", "empty", "dflt"), "");
    EXPECT_EQ(readString(file, "s", "blank", "dflt"), "");
    EXPECT_EQ(readString(put("empty.ini", ""), "s", "k", "dflt"), "dflt");
}

TEST_F(ProfileTest, LinesEndInCrLfLfOrALoneCr) {
    std::string file = put("a.ini", "[a]\r\nx=1\ny=2\rz=3\r\n[b]\rw=4\n\r[c]\r\rv=5");
    EXPECT_EQ(readString(file, "a", "x", ""), "1");
    EXPECT_EQ(readString(file, "a", "y", ""), "2");
    EXPECT_EQ(readString(file, "a", "z", ""), "3");
    EXPECT_EQ(readString(file, "b", "w", ""), "4");
    EXPECT_EQ(readString(file, "c", "v", ""), "5");
    EXPECT_THAT(sectionNames(file), ElementsAre("a", "b", "c"));
    EXPECT_THAT(keyNames(file, "a"), ElementsAre("x", "y", "z"));
}

TEST_F(ProfileTest, BlanksAndOnePairOfMatchingQuotesAreNotPartOfValues) {
    std::string file = put("a.ini",
                           "  [  my sec  ]  \r\n"
                           "  my key  =  some value  \r\n"
                           "dq=\"quoted\"\r\n"
                           "sq='single'\r\n"
                           "mixed=\"half'\r\n"
                           "inner=\"  kept  \"\r\n"
                           "twice=\"\"two\"\"\r\n"
                           "lone=\"\r\n"
                           "none=\"\"\r\n");
    EXPECT_EQ(readString(file, "my sec", "my key", ""), "some value");
    EXPECT_EQ(readString(file, " my sec\t", "\tmy key ", ""), "some value");
    EXPECT_EQ(readString(file, "my sec", "dq", ""), "quoted");
    EXPECT_EQ(readString(file, "my sec", "sq", ""), "single");
    EXPECT_EQ(readString(file, "my sec", "mixed", ""), "\"half'");
    EXPECT_EQ(readString(file, "my sec", "inner", ""), "  kept  ");
    EXPECT_EQ(readString(file, "my sec", "twice", ""), "\"two\"");
    EXPECT_EQ(readString(file, "my sec", "lone", ""), "\"");
    EXPECT_EQ(readString(file, "my sec", "none", "dflt"), "");
}

TEST_F(ProfileTest, LinesWithoutEqualsAndLinesBeforeTheFirstSectionAreIgnored) {
    std::string file = put("a.ini", "orphan=1\r\n[bad\r\n[s]\r\njust words\r\n[open=2\r\nk=v\r\n");
    EXPECT_EQ(readString(file, "", "orphan", "dflt"), "dflt");
    EXPECT_FALSE(sectionExists(file, "bad"));
    EXPECT_THAT(sectionNames(file), ElementsAre("s"));
    // "[open" has no closing bracket, so the line is a key of [s].
    EXPECT_THAT(keyNames(file, "s"), ElementsAre("[open", "k"));
    EXPECT_EQ(readString(file, "s", "k", ""), "v");
}

TEST_F(ProfileTest, NamesMatchRegardlessOfAsciiCase) {
    std::string file = put("a.ini", "[Frame]\r\nKeyName=1\r\n");
    EXPECT_EQ(readString(file, "FRAME", "keyname", ""), "1");
    EXPECT_TRUE(sectionExists(file, "fRaMe"));
    writeString(file, "frame", "KEYNAME", "2");
    EXPECT_EQ(bytesOf(file), "[Frame]\r\nKeyName=2\r\n");
}

TEST_F(ProfileTest, GbkTrailBytesAreNeverFolded) {
    // 0xB0 0x41 and 0xB0 0x61 are two different characters whose second bytes are 'A' and 'a'.
    const std::string upper = "\xB0\x41", lower = "\xB0\x61";
    std::string file = path("gbk.ini");
    writeString(file, upper, upper, "1");
    writeString(file, lower, lower, "2");
    writeString(file, upper, lower, "3");
    EXPECT_EQ(readString(file, upper, upper, ""), "1");
    EXPECT_EQ(readString(file, lower, lower, ""), "2");
    EXPECT_EQ(readString(file, upper, lower, ""), "3");
    EXPECT_EQ(readString(file, lower, upper, "dflt"), "dflt");
    EXPECT_THAT(sectionNames(file), ElementsAre(upper, lower));

    // ASCII letters next to a double-byte character still fold.
    writeString(file, "X" + upper, "Key" + upper, "4");
    EXPECT_EQ(readString(file, "x" + upper, "KEY" + upper, ""), "4");

    // A trail byte may be ']': the name goes on to the real closing bracket.
    const std::string bracketed = "\x81]";
    writeString(file, bracketed, "k", "5");
    EXPECT_EQ(readString(file, bracketed, "k", ""), "5");
    EXPECT_TRUE(sectionExists(file, bracketed));
    EXPECT_FALSE(sectionExists(file, "\x81"));
}

TEST_F(ProfileTest, TheFirstOfDuplicatesWins) {
    std::string file = put("a.ini", "[s]\r\nk=1\r\nK=2\r\n[t]\r\n[S]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(readString(file, "s", "k", ""), "1");
    EXPECT_EQ(readString(file, "s", "j", "dflt"), "dflt");
    EXPECT_THAT(sectionNames(file), ElementsAre("s", "t"));
    EXPECT_THAT(keyNames(file, "S"), ElementsAre("k"));

    writeString(file, "S", "K", "9");
    EXPECT_EQ(bytesOf(file), "[s]\r\nk=9\r\nK=2\r\n[t]\r\n[S]\r\nk=3\r\nj=4\r\n");

    // Erasing removes the first one; the next duplicate then counts.
    eraseSection(file, "s");
    EXPECT_EQ(bytesOf(file), "[t]\r\n[S]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(readString(file, "s", "j", ""), "4");
}

TEST_F(ProfileTest, ListsSectionsAndKeysInFileOrder) {
    std::string file = put("a.ini", "[b]\r\nz=1\r\na=2\r\n[empty]\r\n[a]\r\nm=3\r\n");
    EXPECT_THAT(sectionNames(file), ElementsAre("b", "empty", "a"));
    EXPECT_THAT(keyNames(file, "B"), ElementsAre("z", "a"));
    EXPECT_THAT(keyNames(file, "empty"), IsEmpty());
    EXPECT_THAT(keyNames(file, "missing"), IsEmpty());
    EXPECT_TRUE(sectionExists(file, "empty"));
    EXPECT_FALSE(sectionExists(file, "c"));
}

TEST_F(ProfileTest, SectionsWithManyKeysFindEveryKey) {
    std::string text = "[big]\r\n";
    for (int i = 0; i < 100; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "key7=duplicate\r\n";
    std::string file = put("a.ini", text);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(readInteger(file, "big", "KEY" + std::to_string(i), -1), i) << i;
    EXPECT_EQ(keyNames(file, "big").size(), 100u);

    writeString(file, "big", "key50", "fifty");
    writeString(file, "big", "new", "n");
    EXPECT_EQ(readString(file, "big", "KEY50", ""), "fifty");
    EXPECT_EQ(readString(file, "big", "new", ""), "n");
    EXPECT_EQ(readString(file, "big", "key7", ""), "7");
    EXPECT_EQ(readString(file, "big", "key99", ""), "99");
}

TEST_F(ProfileTest, IntegersAreReadLenientlyAndWrittenAsSignedDecimal) {
    std::string file = put("a.ini", "[n]\r\ndec= 42\r\nhex=0xFFFFFFFF\r\nneg=-3\r\nbad=12px\r\n");
    EXPECT_EQ(readInteger(file, "n", "dec", 0), 42);
    EXPECT_EQ(readInteger(file, "n", "hex", 0), -1);
    EXPECT_EQ(readInteger(file, "n", "neg", 0), -3);
    EXPECT_EQ(readInteger(file, "n", "bad", 77), 77);
    writeInteger(file, "n", "min", INT32_MIN);
    writeInteger(file, "n", "neg", -250);
    EXPECT_EQ(readInteger(file, "n", "min", 0), INT32_MIN);
    EXPECT_EQ(bytesOf(file),
              "[n]\r\ndec= 42\r\nhex=0xFFFFFFFF\r\nneg=-250\r\nbad=12px\r\nmin=-2147483648\r\n");
}

TEST_F(ProfileTest, OddContentReadsWithoutHarm) {
    std::mt19937 random(1234);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    std::string file = put("garbage.ini", garbage + "\r\n[ok]\r\nk=v\r\n");
    EXPECT_THAT(sectionNames(file), ::testing::Contains("ok"));
    EXPECT_EQ(readString(file, "ok", "k", ""), "v");

    std::string huge(1 << 20, 'h');
    file = put("huge.ini", "[s]\r\nbig=" + huge + "\r\nafter=1\r\n");
    EXPECT_EQ(readString(file, "s", "big", ""), huge);
    EXPECT_EQ(readString(file, "s", "after", ""), "1");
    writeString(file, "t", "big", huge + "2");
    EXPECT_EQ(readString(file, "t", "big", ""), huge + "2");

    const char withNul[] = "[s]\r\nk=a\0b\r\nj=2\r\n";
    file = put("nul.ini", std::string(withNul, sizeof withNul - 1));
    EXPECT_EQ(readString(file, "s", "k", ""), std::string("a\0b", 3));
    EXPECT_EQ(readString(file, "s", "j", ""), "2");

    file = put("cr.ini", "\r\r[s]\rk=1\r\r\rj=2\r");
    EXPECT_EQ(readString(file, "s", "j", ""), "2");
    writeString(file, "s", "m", "3");
    EXPECT_EQ(bytesOf(file), "\r\r[s]\rk=1\r\r\rj=2\rm=3\r\n");
}

TEST_F(ProfileTest, WritesAddSectionsAtTheEndAndKeysAfterTheLastKeyLine) {
    std::string file = path("new.ini");
    writeString(file, "a", "x", "1");
    EXPECT_EQ(bytesOf(file), "[a]\r\nx=1\r\n");
    writeString(file, " b ", " y ", "2");
    EXPECT_EQ(bytesOf(file), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");

    file = put("unbroken.ini", "[a]\r\nx=1");
    writeString(file, "a", "y", "2");
    EXPECT_EQ(bytesOf(file), "[a]\r\nx=1\r\ny=2\r\n");
    file = put("unbroken2.ini", "[a]\nx=1");
    writeString(file, "b", "y", "2");
    EXPECT_EQ(bytesOf(file), "[a]\nx=1\r\n[b]\r\ny=2\r\n");
    writeString(file, "a", "z", "3");
    EXPECT_EQ(bytesOf(file), "[a]\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n");

    file = put("middle.ini", "[a]\r\nx=1\r\n; note\r\n\r\n[none]\r\n[b]\r\nq=1\r\n\r\n");
    writeString(file, "a", "y", "2");
    writeString(file, "none", "k", "v");
    writeString(file, "b", "r", "3");
    EXPECT_EQ(bytesOf(file),
              "[a]\r\nx=1\r\ny=2\r\n; note\r\n\r\n[none]\r\nk=v\r\n[b]\r\nq=1\r\nr=3\r\n\r\n");
}

TEST_F(ProfileTest, WritingSeveralKeysLeavesWhatWritingThemOneByOneLeaves) {
    struct Case {
        std::string before, section, after;
    };
    const std::vector<Case> cases = {
        {"", "0", "[0]\r\nx=5\r\ny=6\r\n"},
        {"[a]\r\nk=1", " 0 ", "[a]\r\nk=1\r\n[0]\r\nx=5\r\ny=6\r\n"},
        {"[0]\r\nkp=k65\r\ny=1\r\n[1]\r\n", "0", "[0]\r\nkp=k65\r\ny=6\r\nx=5\r\n[1]\r\n"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string file = put("case" + std::to_string(i) + ".ini", cases[i].before);
        writeStrings(file, cases[i].section, {{"x", "5"}, {" y", "6"}});
        EXPECT_EQ(bytesOf(file), cases[i].after) << cases[i].before;
        EXPECT_EQ(readString(file, "0", "y", ""), "6");
    }
}

TEST_F(ProfileTest, ReplacingAValueKeepsItsKeyAndEveryOtherByte) {
    std::string file = put("a.ini", "; head\n[Sec]\n  MyKey = old value \nother=1\r\n[t]\rz=9\r");
    writeString(file, "sec", "mykey", "new");
    EXPECT_EQ(bytesOf(file), "; head\n[Sec]\nMyKey=new\nother=1\r\n[t]\rz=9\r");
    writeString(file, "T", "Z", "10");
    EXPECT_EQ(bytesOf(file), "; head\n[Sec]\nMyKey=new\nother=1\r\n[t]\rz=10\r");
    EXPECT_EQ(readString(file, "t", "z", ""), "10");
    EXPECT_EQ(readString(file, "sec", "other", ""), "1");
}

TEST_F(ProfileTest, ErasesSectionsAndDeletesKeys) {
    std::string file = put("a.ini", "top\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\nz=3\r\n[c]\r\nw=4");
    eraseSection(file, "A");
    EXPECT_EQ(bytesOf(file), "top\r\n[b]\r\ny=2\r\nz=3\r\n[c]\r\nw=4");
    deleteKey(file, "b", "Y");
    EXPECT_EQ(bytesOf(file), "top\r\n[b]\r\nz=3\r\n[c]\r\nw=4");
    deleteKey(file, "c", "w");
    EXPECT_EQ(bytesOf(file), "top\r\n[b]\r\nz=3\r\n[c]\r\n");
    eraseSection(file, "c");
    EXPECT_EQ(bytesOf(file), "top\r\n[b]\r\nz=3\r\n");
    EXPECT_FALSE(sectionExists(file, "a"));
    EXPECT_EQ(readString(file, "b", "y", "gone"), "gone");

    ino_t before = inodeOf(file);
    eraseSection(file, "missing");
    deleteKey(file, "b", "missing");
    deleteKey(file, "missing", "z");
    EXPECT_EQ(bytesOf(file), "top\r\n[b]\r\nz=3\r\n");
    EXPECT_EQ(inodeOf(file), before);
}

TEST_F(ProfileTest, AFailedWriteThrowsAndChangesNothing) {
    std::string inMissingFolder = path("no/such/folder/a.ini");
    expectWriteFailure(inMissingFolder, [&] { writeString(inMissingFolder, "s", "k", "v"); });
    EXPECT_FALSE(std::filesystem::exists(path("no")));

    const std::string original = "[a]\r\nx=1\r\n[b]\r\ny=2\r\n";
    std::string file = put("ro.ini", original);
    ASSERT_EQ(readString(file, "b", "y", ""), "2");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    expectWriteFailure(file, [&] { writeString(file, "c", "z", "3"); });      // an append
    expectWriteFailure(file, [&] { writeString(file, "b", "y", "3"); });      // the last section
    expectWriteFailure(file, [&] { writeInteger(file, "a", "x", 3); });       // the middle
    expectWriteFailure(file, [&] { eraseSection(file, "a"); });
    expectWriteFailure(file, [&] { deleteKey(file, "b", "y"); });
    EXPECT_EQ(bytesOf(file), original);
    EXPECT_THAT(filesInFolder(), ElementsAre("ro.ini"));
    EXPECT_EQ(readString(file, "b", "y", ""), "2");
    EXPECT_EQ(readString(file, "c", "z", "none"), "none");
}

TEST_F(ProfileTest, SeesChangesMadeByAnotherWriter) {
    std::string file = put("a.ini", "[s]\r\nk=1\r\n");
    ASSERT_EQ(readString(file, "s", "k", ""), "1");
    put("a.ini", "[s]\r\nk=2\r\n");  // same size
    touchLater(file);
    EXPECT_EQ(readString(file, "s", "k", ""), "2");

    writeString(file, "s", "j", "3");
    put("a.ini", "[t]\r\nm=4\r\n[s]\r\nk=5\r\n");
    EXPECT_EQ(readString(file, "t", "m", ""), "4");
    writeString(file, "s", "k", "6");
    EXPECT_EQ(bytesOf(file), "[t]\r\nm=4\r\n[s]\r\nk=6\r\n");

    ASSERT_EQ(::unlink(file.c_str()), 0);
    EXPECT_EQ(readString(file, "s", "k", "gone"), "gone");
    writeString(file, "s", "k", "7");
    EXPECT_EQ(bytesOf(file), "[s]\r\nk=7\r\n");
}

TEST_F(ProfileTest, OneFileSpeltTwoWaysIsOneFile) {
    // The program builds "folder\\name.ini"; written through one spelling and read through the
    // other, a same-size change within one tick of the file system's clock must still be seen.
    std::string slash = put("b.ini", "[s]\r\nk=1\r\n");
    std::string backslash = folder_ + "\\b.ini";
    ASSERT_EQ(readString(backslash, "s", "k", ""), "1");
    struct stat first {};
    ::stat(slash.c_str(), &first);
    for (char v = '2'; v <= '9'; ++v) {
        writeString(slash, "s", "k", std::string(1, v));
        struct timespec sameTick[2] = {first.st_atim, first.st_mtim};
        ::utimensat(AT_FDCWD, slash.c_str(), sameTick, 0);
        EXPECT_EQ(readString(backslash, "s", "k", ""), std::string(1, v));
    }
}

TEST_F(ProfileTest, AFileReplacedByAnotherIsReadAgain) {
    std::string file = put("c.ini", "[s]\r\nk=1\r\n");
    ASSERT_EQ(readString(file, "s", "k", ""), "1");
    struct stat before {};
    ::stat(file.c_str(), &before);
    std::string other = put("c.new", "[s]\r\nk=2\r\n");
    // Same size and, forced here, the same modification time: only the file itself differs.
    struct timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, other.c_str(), times, 0);
    ASSERT_EQ(::rename(other.c_str(), file.c_str()), 0);
    EXPECT_EQ(readString(file, "s", "k", ""), "2");
}

TEST_F(ProfileTest, TheRecorderPatternOnlyAppendsOrRewritesTheTail) {
    std::string file = path("rec.ini");
    writeInteger(file, "all", "value", 0);
    ino_t inode = inodeOf(file);
    for (int frame = 0; frame < 3; ++frame) {
        std::string section = std::to_string(frame);
        writeInteger(file, section, "x", frame * 10);
        writeInteger(file, section, "y", -frame);
        writeInteger(file, section, "kp", 65);
        writeInteger(file, section, "kp", 66 + frame);  // a second event in the same frame
    }
    EXPECT_EQ(bytesOf(file),
              "[all]\r\nvalue=0\r\n"
              "[0]\r\nx=0\r\ny=0\r\nkp=66\r\n"
              "[1]\r\nx=10\r\ny=-1\r\nkp=67\r\n"
              "[2]\r\nx=20\r\ny=-2\r\nkp=68\r\n");
    EXPECT_EQ(inodeOf(file), inode);

    // A change further up is written as a new file, renamed over the old one.
    writeInteger(file, "all", "value", 3);
    EXPECT_NE(inodeOf(file), inode);
    EXPECT_THAT(filesInFolder(), ElementsAre("rec.ini"));
    EXPECT_EQ(readInteger(file, "all", "value", -1), 3);
    EXPECT_EQ(readInteger(file, "2", "kp", -1), 68);
}

// Edits keep the cached index in step with the file; a copy at a new path is parsed from scratch,
// so both must read the same after every edit.
TEST_F(ProfileTest, EditedFilesReadAsAFreshReadWould) {
    std::string file = put("a.ini", "lead\n[0]\nk0=a\r\n\r\n[1]\rk1=b\r[dup]\nk=1\n[DUP]\nk=2\n[7]\nk1=c");
    std::mt19937 random(99);
    for (int step = 0; step < 300; ++step) {
        std::string section = std::to_string(random() % 8);
        std::string key = "k" + std::to_string(random() % 4);
        switch (random() % 10) {
            case 0: eraseSection(file, section); break;
            case 1: deleteKey(file, section, key); break;
            case 2: writeString(file, "dup", key, std::to_string(step)); break;
            case 3: eraseSection(file, "Dup"); break;
            default: writeString(file, section, key, std::to_string(step)); break;
        }
        std::string fresh = put("fresh" + std::to_string(step) + ".ini", bytesOf(file));
        std::vector<std::string> names = sectionNames(file);
        ASSERT_EQ(names, sectionNames(fresh)) << step;
        for (const std::string& name : names) {
            std::vector<std::string> keys = keyNames(file, name);
            ASSERT_EQ(keys, keyNames(fresh, name)) << step;
            for (const std::string& k : keys)
                ASSERT_EQ(readString(file, name, k, "?"), readString(fresh, name, k, "!")) << step;
        }
    }
}

}  // namespace
}  // namespace tapmill::profile
