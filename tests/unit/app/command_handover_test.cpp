// The command line carried out by the main window: handed over to a running instance, idle or
// busy, and the program's own when no instance runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/activity.h"
#include "app/program.h"
#include "app/remote_command.h"
#include "common/gbk.h"
#include "common/profile.h"
#include "common/speed.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using fake::InputCall;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const char* const kNoAnswer = "正在运行的Tapmill没有回应，命令没有执行。";

// The controls of a program that starts without a running instance, for a look while it runs.
struct Watching : ui::memory::MemoryFactory {
    std::unique_ptr<ui::Window> window(const ui::WindowSpec& windowSpec, ui::WindowEvents& events) override {
        auto w = MemoryFactory::window(windowSpec, events);
        shown = w.get();
        return w;
    }
    std::unique_ptr<ui::StatusBar> statusBar(ui::Control& parent, int id, ui::Rect rect,
                                             const std::vector<int>& widths) override {
        auto s = MemoryFactory::statusBar(parent, id, rect, widths);
        status = s.get();
        return s;
    }
    ui::Window* shown = nullptr;
    ui::StatusBar* status = nullptr;
};

class CommandHandOverTest : public testing::FormFixture {
protected:
    // The instance already running: its window shown and listening for hand-overs.
    TForm_maintapmill& runningInstance() {
        TForm_maintapmill& form = shownForm();
        receiver_ = std::make_unique<CommandReceiver>(form, fp.handOver);
        fp.desktop.windowClasses = {"TForm_maintapmill"};
        return form;
    }
    void TearDown() override {
        receiver_.reset();
        FormFixture::TearDown();
    }

    // A later start of the program with these arguments; gives its exit code.
    int start(const std::vector<std::string>& args) { return runProgram(fp.platform, laterFactory_, args); }

    // jb_rec\<name>.ini with frames at (10 + f, 20 + f) and no events.
    void recording(const std::string& name, int frames) const {
        const std::string path = file("jb_rec/" + name + ".ini");
        for (int f = 0; f < frames; ++f) {
            profile::writeInteger(path, std::to_string(f), "x", 10 + f);
            profile::writeInteger(path, std::to_string(f), "y", 20 + f);
        }
        profile::writeInteger(path, "all", "value", frames);
    }

    // jb_strec\<name>.ini with `events` mouse moves 10 ms apart.
    void journalOf(const std::string& name, int events) const {
        const std::string path = file("jb_strec/" + name + ".ini");
        for (int i = 0; i < events; ++i)
            journal::writeJournalEvent(path, i, 0, 0, JournalEvent{journal::kWmMouseMove, i, 0, 10u * i, 0});
        journal::writeJournalEventCount(path, events);
    }

    int leftClicks() const {
        int clicks = 0;
        for (const InputCall& c : fp.input.calls()) clicks += c.kind == InputCall::Mouse && c.a == platform::kMouseLeftDown;
        return clicks;
    }

    std::vector<uint64_t> cursorTimes() const {
        std::vector<uint64_t> out;
        for (const InputCall& c : fp.input.calls())
            if (c.kind == InputCall::SetCursor) out.push_back(c.time);
        return out;
    }

    std::unique_ptr<CommandReceiver> receiver_;
    ui::memory::MemoryFactory laterFactory_;
};

TEST_F(CommandHandOverTest, AnIdleInstanceTakesAPlayAndPlaysItOnlyOnceTheSenderHasItsAnswer) {
    TForm_maintapmill& running = runningInstance();
    running.Label_recjbname->setText("other");
    running.recname = "other";
    recording("demo", 3);

    EXPECT_EQ(start({"/play", "demo", "/count", "2", "/speed", "10"}), kExitDone);

    // The sender got its answer before a single frame played, and saw no message.
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
    ASSERT_EQ(fp.handOver.sent.size(), 1u);
    EXPECT_GT(fp.handOver.sent[0].timeoutMs, 0u);

    fp.pump.runMessageLoop();
    const std::vector<uint64_t> times = cursorTimes();
    ASSERT_EQ(times.size(), 6u) << "three frames, twice";
    EXPECT_EQ(times[1] - times[0], static_cast<uint64_t>(plainFrameWaitMs(10)));
    EXPECT_NE(plainFrameWaitMs(10), plainFrameWaitMs(5));
    // The panel's current recording is not the one the command played.
    EXPECT_EQ(running.recname, "other");
    EXPECT_EQ(running.StatusBar->panelText(0), "当前状态：");
}

TEST_F(CommandHandOverTest, ANameThatDoesNotExistIsRefusedWithExitCodeOneAndAStatusAndChangesNothing) {
    TForm_maintapmill& running = runningInstance();
    write("jb_homa/mine.ini", utf8ToGbk("开始\r\n单击鼠标左键\r\n结束\r\n").value());
    running.usename = "mine";
    running.Label_stjbname->setText("journal");

    for (const char* action : {"/play", "/journal", "/run"}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(start({action, "nothere"}), kExitRefused);
        fp.pump.runMessageLoop();
        running.Timer_flashTimer();
        EXPECT_EQ(running.StatusBar->panelText(0), "'nothere'不存在，已拒绝命令");
    }

    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_EQ(fp.journalHooks.installs, 0);
    EXPECT_EQ(running.Label_stjbname->text(), "journal");
    running.Speedbutton_runClick();
    EXPECT_EQ(leftClicks(), 1) << "运行 still runs the enabled script";
}

// What a handed-over start finds wrong on its way (a faulty line, a bad frame) goes to the status
// bar: a scheduled job has nobody to click a box away. The same start from the panel shows the box.
TEST_F(CommandHandOverTest, AFaultFoundDuringACommandsStartIsAStatusNotABox) {
    TForm_maintapmill& running = runningInstance();
    write("jb_homa/bad.ini", utf8ToGbk("开始\r\n循环x次\r\n循环结束\r\n结束\r\n").value());
    write("jb_rec/bad.ini", "[0]\r\nx=1\r\ny=1\r\nkp=kX\r\n[all]\r\nvalue=1\r\n");
    for (const char* action : {"/run", "/play"}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(start({action, "bad"}), kExitDone);
        fp.pump.runMessageLoop();
        running.Timer_flashTimer();
        EXPECT_THAT(messages(), IsEmpty());
        EXPECT_THAT(running.StatusBar->panelText(0), HasSubstr("脚本出错"));
    }
    running.playrec(1, 5, "bad");
    EXPECT_THAT(messages(), ElementsAre(HasSubstr("脚本出错")));
}

// The command's count and loop are its own: the journal panel's endless box stays as the user left
// it, and the panel's next playback follows the box.
TEST_F(CommandHandOverTest, AJournalCommandPlaysItsOwnPassesAndLeavesTheEndlessBoxAsItWas) {
    TForm_maintapmill& running = runningInstance();
    journalOf("走法", 3);
    fp.journalHooks.refuseSystemPlayback = true;
    struct Row {
        bool boxTicked;
        std::vector<std::string> args;
        bool commandEndless;
    };
    for (const Row& row : {Row{true, {"/journal", "走法", "/count", "1"}, false},
                           Row{false, {"/journal", "走法", "/loop"}, true}}) {
        SCOPED_TRACE(row.boxTicked ? "box ticked" : "box unticked");
        running.RzCheckBox_loop->setChecked(row.boxTicked);
        running.RzCheckBox_loopClick();
        for (const bool byCommand : {true, false}) {
            fp.journalHooks.sent.clear();
            fp.pump.after(1000, [&] { start({"/stop"}); });
            if (byCommand)
                EXPECT_EQ(start(row.args), kExitDone);
            else
                running.RzBitBtn_stplayClick();
            fp.pump.runMessageLoop();
            const bool endless = byCommand ? row.commandEndless : row.boxTicked;
            if (endless) {
                EXPECT_GT(fp.journalHooks.sent.size(), 6u) << (byCommand ? "command" : "panel");
            } else {
                EXPECT_EQ(fp.journalHooks.sent.size(), 3u) << (byCommand ? "command" : "panel");
            }
            EXPECT_EQ(running.RzCheckBox_loop->checked(), row.boxTicked);
            EXPECT_EQ(running.Edit_stt->enabled(), !row.boxTicked);
        }
    }
}

// Whatever modal window is open, its loop would run the start: a command and a user hot key wait
// for nobody, they are refused as while something plays.
TEST_F(CommandHandOverTest, ACommandOrAUserHotKeyArrivingWhileAModalWindowIsOpenIsRefusedAsBusy) {
    TForm_maintapmill& running = runningInstance();
    recording("demo", 2);
    HotKeyEntry userKey;
    userKey.script = "demo";
    std::vector<int> exits;
    std::vector<std::string> statuses;
    const auto startBoth = [&] {
        exits.push_back(start({"/play", "demo"}));
        statuses.push_back(running.StatusBar->panelText(0));
        running.userHotKeyPressed(userKey);
    };
    fp.dialogs.onShow = [&](const fake::ShownMessage&) { startBoth(); };
    fp.dialogs.answerNext(platform::MessageAnswer::No);
    EXPECT_FALSE(running.FormCloseQuery()) << "the exit question";
    fp.dialogs.onShow = nullptr;
    factory.modalScript = [&](ui::memory::MemoryWindow&) { startBoth(); };
    running.RzBitBtn2Click();  // the hot-key window
    fp.pump.runMessageLoop();

    EXPECT_THAT(exits, ElementsAre(kExitRefused, kExitRefused));
    EXPECT_THAT(statuses, ElementsAre(kCommandRefusedStatus, kCommandRefusedStatus));
    EXPECT_THAT(fp.input.calls(), IsEmpty());
}

TEST_F(CommandHandOverTest, ARunEnablesTheScriptAndRunsItEndlesslyUntilAStopIsHandedOver) {
    TForm_maintapmill& running = runningInstance();
    write("jb_homa/演示.ini",
          utf8ToGbk("开始\r\n延时100毫秒\r\n单击鼠标左键\r\n结束\r\n").value());
    int stopExit = -1;
    fp.pump.after(1050, [&] { stopExit = start({"/stop"}); });

    EXPECT_EQ(start({"/run", "演示", "/loop"}), kExitDone);
    fp.pump.runMessageLoop();

    EXPECT_EQ(stopExit, kExitDone);
    EXPECT_EQ(running.usename, "演示");
    EXPECT_EQ(leftClicks(), 10) << "a click every 100 ms until the stop at 1050 ms";
    EXPECT_FALSE(running.running);
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(CommandHandOverTest, ABusyInstanceRefusesAllButStopAndSaysSoWhileItStaysBusy) {
    TForm_maintapmill& running = runningInstance();
    recording("demo", 2);
    running.Label_recjbname->setText("demo");
    running.recname = "demo";
    int runExit = -1, stopExit = -1;
    std::string statusWhileBusy, statusAtNextTick;
    fp.pump.after(500, [&] {
        runExit = start({"/run", "演示"});
        statusWhileBusy = running.StatusBar->panelText(0);
        running.Timer_flashTimer();
        statusAtNextTick = running.StatusBar->panelText(0);
        stopExit = start({"/stop"});
    });

    running.playrec(kEndlessPlayCount, 5, "demo");

    EXPECT_EQ(runExit, kExitRefused);
    EXPECT_EQ(statusWhileBusy, kCommandRefusedStatus);
    EXPECT_EQ(statusAtNextTick, kCommandRefusedStatus);
    EXPECT_EQ(stopExit, kExitDone);
    EXPECT_EQ(running.usename, "") << "the refused run enabled nothing";
    running.Timer_flashTimer();
    EXPECT_EQ(running.StatusBar->panelText(0), "当前状态：");
    fp.pump.runMessageLoop();
    EXPECT_EQ(running.usename, "");
}

TEST_F(CommandHandOverTest, WithoutARunningInstanceTheProgramStartsShowsItsWindowAndPlays) {
    recording("demo", 2);
    Watching watching;
    bool playingInShownWindow = false;
    fp.pump.after(1, [&] {
        playingInShownWindow = watching.shown->visible() && watching.status->panelText(0) == "当前状态：播放……";
    });

    EXPECT_EQ(runProgram(fp.platform, watching, {"/play", "demo"}), kExitDone);

    EXPECT_TRUE(playingInShownWindow);
    EXPECT_EQ(cursorTimes().size(), 2u);
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_THAT(fp.handOver.sent, IsEmpty());
}

TEST_F(CommandHandOverTest, AStartNamingWhatDoesNotExistShowsTheRefusalInItsWindowAndEndsWithExitCodeOne) {
    Watching watching;
    std::string status;
    fp.pump.after(1000, [&] { status = watching.status->panelText(0); });

    EXPECT_EQ(runProgram(fp.platform, watching, {"/run", "nothere"}), kExitRefused);

    EXPECT_EQ(status, "'nothere'不存在，已拒绝命令");
    EXPECT_THAT(messages(), IsEmpty());
}

// Bad arguments go to the console the program was started from; a box, which waits for someone,
// only without one, or for "/?", which asks for it.
TEST_F(CommandHandOverTest, BadArgumentsAndUsageAreAnsweredByTheNewProcessAlone) {
    runningInstance();
    const std::string fault = "/speed 后面要写播放速度：0 到 10 的整数。\n\n" + commandLineUsage();
    for (const bool console : {true, false}) {
        SCOPED_TRACE(console ? "console" : "no console");
        fp.dialogs.shown.clear();
        fp.dialogs.console.clear();
        fp.dialogs.hasConsole = console;

        EXPECT_EQ(start({"/play", "demo", "/speed", "fast"}), kExitBadArguments);
        EXPECT_EQ(start({"/?"}), kExitDone);

        ASSERT_EQ(fp.dialogs.shown.size(), console ? 1u : 2u);
        if (console) {
            EXPECT_THAT(fp.dialogs.console, ElementsAre(fault));
        } else {
            EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
            EXPECT_EQ(fp.dialogs.shown[0].text, fault);
        }
        EXPECT_EQ(fp.dialogs.shown.back().text, commandLineUsage());
    }
    EXPECT_THAT(commandLineUsage(), ::testing::HasSubstr("录制按键（强化）"));

    EXPECT_THAT(fp.handOver.sent, IsEmpty());
    EXPECT_THAT(fp.desktop.posted, IsEmpty()) << "no '已经有一个在运行中' hand-back of the window either";
    fp.pump.runMessageLoop();
    EXPECT_THAT(fp.input.calls(), IsEmpty());
}

TEST_F(CommandHandOverTest, AnInstanceThatDoesNotAnswerIsReportedWithExitCodeOne) {
    runningInstance();
    fp.handOver.listenerAnswers = false;

    EXPECT_EQ(start({"/stop"}), kExitRefused);
    EXPECT_THAT(messages(), ElementsAre(kNoAnswer));
}

}  // namespace
}  // namespace tapmill
