// The rules every follow of a window keeps: when its window comes to the front before an input,
// and when the system leaves the input's place to another window.
#include "common/window_follow_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/fake/fake_top_windows.h"

namespace tapmill {
namespace {

using ::testing::ElementsAreArray;

// The followed editor (7) with its client area at (300, 200), and a tool (1) beside it.
fake::FakeTopWindows desktop() {
    fake::FakeTopWindows windows;
    windows.windows = {{1, "工具", "Tool"}, {7, "a.txt - 记事本", "Notepad"}};
    windows.places = {{1, {{0, 0, 100, 100}, 96}}, {7, {{300, 200, 400, 300}, 96}}};
    return windows;
}

TEST(WindowFollowRulesTest, TheWindowComesToTheFrontOnlyWhereTheInputWouldNotReachIt) {
    const platform::Point inEditor{350, 250};
    const struct {
        const char* what;
        std::function<void(fake::FakeTopWindows&)> layOut;
        std::optional<platform::Point> button;  // none: a key
        RaiseOutcome outcome;
        std::vector<uintptr_t> raised;
    } cases[] = {
        {"a click, the window has the input and the place", [](fake::FakeTopWindows& w) { w.inputWindow = 7; },
         inEditor, RaiseOutcome::InFront, {}},
        {"a click, another window has the input", [](fake::FakeTopWindows&) {}, inEditor, RaiseOutcome::InFront, {7}},
        {"a click, the window has the input but another covers the place",
         [](fake::FakeTopWindows& w) {
             w.inputWindow = 7;
             w.places[1].client = {0, 0, 400, 400};
         },
         inEditor, RaiseOutcome::InFront, {7}},
        {"a click into an open drop-down list",
         [](fake::FakeTopWindows& w) {
             w.windows.insert(w.windows.begin(), {9, "", "ComboLBox"});
             w.places[9] = {{320, 220, 100, 100}, 96};
         },
         inEditor, RaiseOutcome::InFront, {}},
        {"a click into an open menu",
         [](fake::FakeTopWindows& w) {
             w.windows.insert(w.windows.begin(), {9, "", "#32768"});
             w.places[9] = {{320, 220, 100, 100}, 96};
         },
         inEditor, RaiseOutcome::InFront, {}},
        {"a click, a topmost window still covers the place once raised",
         [](fake::FakeTopWindows& w) {
             w.topmost = {1};
             w.places[1].client = {0, 0, 400, 400};
         },
         inEditor, RaiseOutcome::Covered, {7}},
        {"a click, the system keeps the window behind", [](fake::FakeTopWindows& w) { w.refuseFront = true; },
         inEditor, RaiseOutcome::Covered, {7}},
        {"a key, the window has the keyboard", [](fake::FakeTopWindows& w) { w.inputWindow = 7; }, std::nullopt,
         RaiseOutcome::InFront, {}},
        {"a key, another window has the keyboard though the pointer is on this one", [](fake::FakeTopWindows&) {},
         std::nullopt, RaiseOutcome::InFront, {7}},
    };
    for (const auto& c : cases) {
        fake::FakeTopWindows windows = desktop();
        c.layOut(windows);
        EXPECT_EQ(raiseForInput(windows, 7, c.button), c.outcome) << c.what;
        EXPECT_THAT(windows.broughtToFront, ElementsAreArray(c.raised)) << c.what;
    }
}

TEST(WindowFollowRulesTest, TheProgramsOwnWindowsAreLeftOutOfTheSearch) {
    fake::FakeTopWindows windows = desktop();
    windows.windows.insert(windows.windows.begin(), {3, "Tapmill V3.3", "TForm_maintapmill"});
    windows.ownWindows = {3};
    const std::vector<platform::TopWindow> others = othersWindows(windows, windows.visibleWindows());
    ASSERT_EQ(others.size(), 2u);
    EXPECT_EQ(others[0].handle, 1u);
    EXPECT_EQ(others[1].handle, 7u);
}

}  // namespace
}  // namespace tapmill
