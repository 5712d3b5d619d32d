// A change inside the last section of a profile file rewrites the file's tail in place, then cuts
// the file where the new tail ends. A process killed between the two leaves what was written first:
// it must read exactly as the new file does, whatever the old tail held beyond the new one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/profile_index.h"
#include "platform/files.h"

namespace tapmill {
namespace {

// Everything a reader can see of a profile text: each section with its keys and values, in order.
std::vector<std::string> readable(const std::string& text) {
    profile::Index index(text);
    std::vector<std::string> out;
    for (size_t s = 0; s < index.sections().size(); ++s) {
        out.push_back("[" + std::string(index.sectionName(s)) + "]");
        const auto& section = index.sections()[s];
        for (size_t k = section.firstKey; k < section.firstKey + section.keyCount; ++k)
            out.push_back(std::string(index.keyName(k)) + "=" + std::string(index.value(k)));
    }
    return out;
}

struct TailChange {
    const char* what;
    std::string head;  // the file before the last section's change, kept as it is
    std::string oldTail;
    std::string newTail;
};

TEST(InterruptedTailWriteTest, WhatLiesOnDiskBeforeTheCutReadsAsTheNewFile) {
    const std::vector<TailChange> changes = {
        {"an event replaced by a shorter one", "[0]\r\nx=1\r\ny=2\r\n[1]\r\n", "kp=WM_RBUTTONDOWN\r\n", "kp=k65\r\n"},
        {"a count rewritten shorter, the old count's last key after it", "[t]\r\nTime=20261207083000\r\n",
         "times=123456789\r\nE=N\r\n", "times=1\r\nE=Y\r\n"},
        {"a value shortened in a last line without a line break", "[a]\r\n", "x=1000", "x=1"},
        {"a header alone after the change", "[a]\r\nx=1\r\n", "y=22222\r\n[b]", "y=2\r\n[b]"},
        {"quotes around the new value", "[a]\r\n", "v=\"long value\"\r\nw=1\r\n", "v=\"v\"\r\nw=1\r\n"},
        {"one byte shorter", "[a]\r\n", "x=10\r\n", "x=1\r\n"},
    };
    for (const TailChange& c : changes) {
        const std::string newFile = c.head + c.newTail;
        const uint64_t oldSize = c.head.size() + c.oldTail.size();
        const std::string written = files::coveringOldTail(c.newTail, oldSize, c.head.size());
        // The write covers the whole old tail, so nothing of it shows through.
        EXPECT_EQ(written.size(), c.oldTail.size()) << c.what;
        EXPECT_EQ(readable(c.head + written), readable(newFile)) << c.what;
    }
}

TEST(InterruptedTailWriteTest, AnEqualOrLongerTailIsWrittenAsItIs) {
    EXPECT_EQ(files::coveringOldTail("x=5\r\n", 20, 15), "x=5\r\n");
    EXPECT_EQ(files::coveringOldTail("kp=WM_LBUTTONUP\r\n", 20, 15), "kp=WM_LBUTTONUP\r\n");
    EXPECT_EQ(files::coveringOldTail("x=5\r\n", 10, 15), "x=5\r\n");  // a file shorter than the offset
}

}  // namespace
}  // namespace tapmill
