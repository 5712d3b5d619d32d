// Input the system takes none of (a program with higher rights in front, a locked desktop) ends
// every player with one message that says why, and lets go of what the player held.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "common/profile.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using platform::InputRefusal;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

enum class Player { Plain, Script, Journal };

struct RefusalCase {
    Player player;
    InputRefusal cause;
    const char* message;
    // Every injection asked for: a press of the left button, the key the system refused, and
    // what the player did after it.
    std::vector<std::string> injected;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << static_cast<int>(c.player); }

class RefusedInputTest : public testing::FormFixture, public ::testing::WithParamInterface<RefusalCase> {
protected:
    // Three passes of: left button down, the key A, left button up. The system takes the first
    // injection and none from the second on.
    void playRefused(TForm_maintapmill& form) {
        fp.input.system = fp.journalHooks.system = {2, GetParam().cause};
        switch (GetParam().player) {
            case Player::Plain: {
                const std::string path = file("jb_rec/demo.ini");
                profile::writeString(path, "0", "kp", "WM_LBUTTONDOWN");
                profile::writeString(path, "1", "kp", "k65");
                profile::writeString(path, "2", "kp", "WM_LBUTTONUP");
                profile::writeInteger(path, "all", "value", 3);
                form.Label_recjbname->setText("demo");
                form.recname = "demo";
                form.Edit_playt->setText("3");
                return form.SpeedButton_playClick();
            }
            case Player::Script:
                write("jb_homa/demo.ini", utf8ToGbk("开始\r\n按下鼠标左键\r\n单击键盘的A\r\n弹起鼠标左键\r\n结束\r\n").value());
                form.usename = "demo";
                return form.runhoma(3, "demo", *form.homajbRunList);
            case Player::Journal: {
                const std::string path = file("jb_strec/stjb.ini");
                journal::writeJournalEvent(path, 0, 0, 0, {journal::kWmLButtonDown, 5, 5, 0, 0});
                journal::writeJournalEvent(path, 1, 0, 0, {journal::kWmKeyDown, 65, 0, 10, 0});
                journal::writeJournalEvent(path, 2, 0, 0, {journal::kWmLButtonUp, 5, 5, 20, 0});
                journal::writeJournalEventCount(path, 3);
                fp.journalHooks.refuseSystemPlayback = true;
                form.Edit_stt->setText("3");
                form.RzBitBtn_stplayClick();
                fp.pump.runMessageLoop();
                return;
            }
        }
    }

    std::vector<std::string> injected() const {
        std::vector<std::string> out;
        for (const fake::InputCall& c : fp.input.calls())
            if (c.kind != fake::InputCall::SetCursor) out.push_back(fake::describe(c));
        for (const auto& s : fp.journalHooks.sent)
            out.push_back(s.event.message == journal::kWmKeyDown ? "key " + std::to_string(s.event.paramL) + " down"
                          : s.event.message == journal::kWmLButtonDown ? "mouse 2"
                                                                        : "mouse 4");
        return out;
    }
};

TEST_P(RefusedInputTest, EndsWithOneMessageThatSaysWhyAndLetsGoOfWhatItHeld) {
    TForm_maintapmill& form = shownForm();

    playRefused(form);

    EXPECT_THAT(messages(), ElementsAre(GetParam().message));
    EXPECT_THAT(injected(), ElementsAreArray(GetParam().injected));
    EXPECT_FALSE(form.playing || form.running || form.stjournal.player.playing);
    EXPECT_EQ(fp.tray.tip, std::string("Tapmill — ") + GetParam().message);
    form.Timer_flashTimer();  // the idle program's tick keeps the reason in the tip
    EXPECT_EQ(fp.tray.tip, std::string("Tapmill — ") + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Players, RefusedInputTest,
    ::testing::Values(
        RefusalCase{Player::Plain, InputRefusal::HigherRights,
                    "目标程序以管理员身份运行，Tapmill无法向它发送输入。请以管理员身份运行Tapmill。",
                    {"mouse 2", "key 65 down", "key 65 up", "mouse 4"}},
        RefusalCase{Player::Script, InputRefusal::SecureDesktop,
                    "桌面已锁定或正显示安全桌面，Tapmill无法发送输入。请解锁桌面后再运行。",
                    {"mouse 2", "key 65 down", "key 65 up", "mouse 4"}},
        RefusalCase{Player::Journal, InputRefusal::Refused, "系统拒绝了Tapmill发送的输入，已停止。",
                    {"mouse 2", "key 65 down", "mouse 4"}}));

}  // namespace
}  // namespace tapmill
