// Input the system drops is told from the window that would receive it: the window under the
// pointer for a button, the window with the keyboard focus for a key; not the window in front.
#include "common/input_recipient.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_top_windows.h"

namespace tapmill {
namespace {

TEST(InputRecipientTest, ABlockIsJudgedFromTheWindowThatWouldReceiveTheInput) {
    using platform::InputRefusal;
    // An elevated window (1) and an ordinary one (2) side by side.
    const platform::Point onElevated{50, 50}, onOrdinary{250, 50};
    const struct {
        const char* what;
        uintptr_t front, focus;
        InputKind kind;
        platform::Point pointer;
        InputRefusal refusal;
    } cases[] = {
        {"the elevated window in front, a click into the ordinary one", 1, 1, InputKind::Button, onOrdinary,
         InputRefusal::None},
        {"the ordinary window in front, a click into the elevated one", 2, 2, InputKind::Button, onElevated,
         InputRefusal::HigherRights},
        {"a key, the focus in the elevated window, the pointer on the ordinary one", 1, 1, InputKind::Key, onOrdinary,
         InputRefusal::HigherRights},
        {"a key, the focus in the ordinary window, the pointer on the elevated one", 2, 2, InputKind::Key, onElevated,
         InputRefusal::None},
        {"a key, the elevated window in front with the focus in an ordinary one it owns", 1, 2, InputKind::Key,
         onElevated, InputRefusal::None},
        {"a click where no window is", 1, 1, InputKind::Button, {900, 900}, InputRefusal::None},
    };
    for (const auto& c : cases) {
        fake::FakeTopWindows windows;
        windows.windows = {{1, "管理员", "Admin"}, {2, "普通", "Plain"}};
        windows.places = {{1, {{0, 0, 200, 200}, 96}}, {2, {{200, 0, 200, 200}, 96}}};
        windows.higherRights = {1};
        windows.inputWindow = c.front;
        windows.focus = c.focus;
        EXPECT_EQ(refusalBeforeInput(windows, c.kind, c.pointer), c.refusal) << c.what;
    }
}

}  // namespace
}  // namespace tapmill
