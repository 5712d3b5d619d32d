#include "common/window_match.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/profile.h"
#include "plain/window_note.h"

namespace tapmill {
namespace {

struct ChoiceCase {
    const char* what;
    std::vector<platform::TopWindow> ofClass;  // front to back
    std::string title;
    bool titleIsStart;
    uintptr_t chosen;  // 0: none
};

TEST(WindowMatchTest, ChoosesTheNamedWindowOfAClass) {
    const std::vector<ChoiceCase> cases = {
        {"same title before a front one that only shares the program",
         {{1, "b.txt - 记事本", "Notepad"}, {2, "a.txt - 记事本", "Notepad"}}, "a.txt - 记事本", false, 2},
        {"another document of the program, where the title is gone",
         {{1, "Untitled - Paint", "P"}, {2, "b.txt - 记事本", "Notepad"}, {3, "c.txt - 记事本", "Notepad"}},
         "a.txt - 记事本", false, 2},
        {"a program that names itself first", {{4, "记事本 - b.txt", "N"}}, "记事本 - a.txt", false, 4},
        {"a title without a separator that gained a suffix", {{5, "目标 (2)", "T"}}, "目标", false, 5},
        {"a window of the class with another title is not the window", {{6, "设置", "N"}}, "a.txt - 记事本", false, 0},
        {"a shorter title is not the window", {{7, "目", "T"}}, "目标", false, 0},
        {"a stored start of a title", {{8, "日志\xF0\x9F\x98\x80 - 记事本", "N"}}, "日志", true, 8},
        {"no window of the class", {}, "a", false, 0},
    };
    for (const ChoiceCase& c : cases) {
        std::optional<platform::TopWindow> chosen = chooseNamedWindow(c.ofClass, c.title, c.titleIsStart);
        EXPECT_EQ(chosen ? chosen->handle : 0u, c.chosen) << c.what;
    }
}

TEST(WindowMatchTest, APointFollowsItsClientAreaAndItsScale) {
    const platform::WindowPlace moved{{150, 100, 800, 600}, 96};
    EXPECT_EQ(mapIntoWindow(10, 20, 96, moved).x, 160);
    EXPECT_EQ(mapIntoWindow(10, 20, 96, moved).y, 120);
    const platform::WindowPlace scaled{{-1000, 50, 1200, 900}, 144};
    EXPECT_EQ(mapIntoWindow(101, 33, 96, scaled).x, -1000 + 152);  // 151.5 rounds up
    EXPECT_EQ(mapIntoWindow(101, 33, 96, scaled).y, 50 + 50);      // 49.5 rounds up
}

// A window that is not drawn per monitor is stretched by the system to its monitor's DPI, while it
// reads the DPI it draws for: its pixels on the screen are at the monitor's DPI.
TEST(WindowMatchTest, AWindowsPixelsAreAtItsMonitorsDpiUnlessItDrawsPerMonitor) {
    using platform::DpiAwareness;
    const struct {
        DpiAwareness awareness;
        int windowDpi, monitorDpi, drawn;
    } cases[] = {
        {DpiAwareness::Unaware, 96, 144, 144},
        {DpiAwareness::System, 120, 144, 144},
        {DpiAwareness::System, 96, 96, 96},
        {DpiAwareness::PerMonitor, 144, 144, 144},
        {DpiAwareness::PerMonitor, 120, 96, 120},  // a window that draws for another DPI than its monitor's
        {DpiAwareness::Unaware, 96, 0, 96},        // the monitor's DPI unknown: the window's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawnDpi(c.awareness, c.windowDpi, c.monitorDpi), c.drawn)
            << static_cast<int>(c.awareness) << " " << c.windowDpi << " " << c.monitorDpi;
    }
}

// A title that GBK cannot hold whole, or that breaks the line of its key, is kept as its start, and
// the rest never reaches the file: a title is another program's text.
TEST(WindowNoteTest, ATitleTheFileCannotHoldIsKeptAsItsStart) {
    const std::string path = (std::filesystem::temp_directory_path() / "window_note_test.ini").string();
    const struct {
        std::string title, kept;
    } cases[] = {{"日志\xF0\x9F\x98\x80 - 记事本", "日志"}, {"第一行\r\n[all]\r\nvalue=7", "第一行"}, {"上\n下", "上"}};
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        writeWindowNote(path, "3", {"Notepad", c.title, false, 12, 34, 120});
        std::optional<WindowNote> note = readWindowNote(path, "3");
        ASSERT_TRUE(note) << c.title;
        EXPECT_EQ(note->title, c.kept);
        EXPECT_TRUE(note->titleIsStart);
        EXPECT_EQ(note->clientY, 34);
        EXPECT_EQ(note->dpi, 120);
        EXPECT_EQ(profile::sectionNames(path), std::vector<std::string>{"3"}) << c.title;
    }
    EXPECT_FALSE(readWindowNote(path, "4"));
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tapmill
