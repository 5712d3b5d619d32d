// The due-task check on the virtual clock: once-only and daily tasks, tasks due in one second,
// starts nested in a run, a list or plan changed while a task runs, and faulty plan files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "triggers/Unit_plan.h"
#include "triggers/clock_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kRunning = "[plan]\r\nstate=true\r\n";

// One task's section as the plan window writes it.
std::string task(const std::string& name, const std::string& time, const std::string& jbname,
                 const std::string& times = "1", const std::string& every = "N", const std::string& speed = "10") {
    return "[" + name + "]\r\nTime=" + time + "\r\njbname=" + jbname + "\r\nspeed=" + speed + "\r\ntimes=" + times +
           "\r\nE=" + every + "\r\n";
}

class PlanCheckTest : public testing::ClockFixture {
protected:
    // The plan running with these tasks, and the program started at 09:00:00 on 7 December 2026.
    TForm_maintapmill& runPlan(const std::string& planText) {
        write("plan.ini", planText);
        write("config.ini", kRunning);
        return startAt(on(9, 0, 0));
    }

    // The keys the started tasks clicked, in order (A recordings, B, C and D scripts).
    std::string keysPressed() const {
        std::string keys;
        for (const fake::InputCall& c : fp.input.calls())
            if (c.kind == fake::InputCall::Key && c.b == 0) keys += static_cast<char>(c.a);
        return keys;
    }
};

TEST_F(PlanCheckTest, AfterARestartAOnceOnlyTaskStartsExactlyOnceAndStaysListed) {
    recording("rec");
    const std::string plan = task("once", "20261207090010", "recR", "2");
    auto& form = runPlan(plan);
    runFor(20);
    EXPECT_THAT(pressesOf(kRecordingKey), ElementsAre("2026-12-07 09:00:10", "2026-12-07 09:00:10"));
    EXPECT_EQ(read("plan.ini"), plan);
    EXPECT_THAT(items(*form.ListBox_plan), ElementsAre("once"));
    EXPECT_THAT(errors, IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(PlanCheckTest, AStoppedPlanStartsNothing) {
    script("s");
    write("plan.ini", task("t", "20261207090002", "sM", "1", "Y"));
    write("config.ini", "[plan]\r\nstate=false\r\n");
    startAt(on(9, 0, 0));
    runFor(4);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
}

TEST_F(PlanCheckTest, ADailyTaskStartsAtItsTimeOfDayAlsoOnDatesBeforeItsOwn) {
    script("s");
    runPlan(task("daily", "20270315090002", "sM", "1", "Y") + task("once", "20270315090003", "sM", "1", "N"));
    runFor(5);
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:02"));
}

TEST_F(PlanCheckTest, OnItsOwnDateADailyTaskStartsOnceThoughBothTestsMatch) {
    script("quick");
    recording("slow", 40);  // 40 frames at speed 0: 1.4 s, past the second it started in
    runPlan(task("quick", "20261207090002", "quickM", "1", "Y") +
            task("slow", "20261207090004", "slowR", "1", "Y", "0"));
    runFor(8);
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:02"));
    EXPECT_THAT(pressesOf(kRecordingKey), ElementsAre("2026-12-07 09:00:04"));
}

TEST_F(PlanCheckTest, TasksOfOneSecondStartInListOrderWhileTheSecondLasts) {
    script("b", "B");
    script("c", "C");
    script("d", "D");
    recording("slow", 40);
    runPlan(task("c", "20261207090002", "cM") + task("b", "20261207090002", "bM") +
            task("slow", "20261207090004", "slowR", "1", "N", "0") + task("d", "20261207090004", "dM"));
    runFor(8);
    EXPECT_EQ(keysPressed(), "CBA") << "d is missed: slow has run past their second";
}

TEST_F(PlanCheckTest, OnlyAnUpperCaseRPicksThePlainPlayer) {
    recording("demo");
    script("demo");
    runPlan(task("lower", "20261207090002", "demor") + task("upper", "20261207090003", "demoR") +
            task("count0", "20261207090004", "demoR", "0") + task("empty", "20261207090005", ""));
    runFor(6);
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:02"));
    EXPECT_THAT(pressesOf(kRecordingKey), ElementsAre("2026-12-07 09:00:03"));
    // An empty "jbname" names no script: the interpreter says so, and nothing is read past it.
    EXPECT_THAT(messages(), ElementsAre("脚本出错，请检查后再运行！"));
}

TEST_F(PlanCheckTest, ASpeedOrCountThatIsNoIntegerIsReportedAndEndsThatSecondsCheck) {
    script("s");
    runPlan(task("badtimes", "20261207090002", "sM", "abc") + task("next", "20261207090002", "sM") +
            task("badspeed", "20261207090003", "sM", "1", "N", "9999999999") + task("later", "20261207090004", "sM"));
    runFor(5);
    EXPECT_THAT(errors, ElementsAre("'abc' is not a valid integer value", "'9999999999' is not a valid integer value"));
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:04"));
}

TEST_F(PlanCheckTest, AMissingFileSectionOrTimeNeverMatches) {
    script("s");
    runPlan(task("gone", "20261207090002", "sM") + task("notime", "20261207090002", "sM") +
            task("later", "20261207090004", "sM", "1", "Y"));
    // Changed by other means after the show listed all three.
    write("plan.ini", "[notime]\r\njbname=sM\r\ntimes=1\r\nE=Y\r\n" + task("later", "20261207090004", "sM", "1", "Y"));
    at(on(9, 0, 3), [&] { std::filesystem::remove(file("plan.ini")); });
    runFor(6);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_THAT(errors, IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(PlanCheckTest, ATaskDueDuringAPlaybackStartsInsideItAndThePlaybackEndsAfterIt) {
    recording("jb_rec", 200);  // the current recording: 7 s a pass at speed 0
    script("s");
    auto& form = runPlan(task("t", "20261207090003", "sM"));
    form.RzTrackBar_speed->setPosition(0);
    at(on(9, 0, 1), [&] { form.SpeedButton_playClick(); });
    runFor(12);
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:03"));
    EXPECT_FALSE(form.playing);
    EXPECT_LE(fp.input.calls().back().time, tickOf(on(9, 0, 3)) + 40) << "the playback stopped at its next frame";
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
}

TEST_F(PlanCheckTest, TasksDeletedWhileATaskRunsAreNotStartedAndTheRestAre) {
    recording("slow", 10);  // 350 ms
    script("b", "B");
    script("c", "C");
    script("d", "D");
    auto& form = runPlan(task("slow", "20261207090002", "slowR", "1", "N", "0") + task("b", "20261207090002", "bM") +
                         task("c", "20261207090002", "cM") + task("d", "20261207090002", "dM"));
    // The user ends the plan, deletes the running task and c, and starts the plan again.
    factory.modalScript = [&](ui::memory::MemoryWindow& w) {
        auto& plan = dynamic_cast<TForm_plan&>(w.events());
        plan.SpeedButton_endClick();
        for (int gone = 0; gone < 2; ++gone) {
            plan.ListBox_plan->setSelectedIndex(gone == 0 ? 0 : 1);
            plan.SpeedButton_delplanClick();
        }
        plan.SpeedButton_startClick();
    };
    at(on(9, 0, 2), [&] { form.Speedbutton_planClick(); }, 100);
    runFor(4);
    EXPECT_THAT(items(*form.ListBox_plan), ElementsAre("b", "d"));
    EXPECT_EQ(keysPressed(), "ABD");
    EXPECT_THAT(errors, IsEmpty());
}

TEST_F(PlanCheckTest, ATaskAnotherProgramMadeDueWhileATaskRanStartsInTheSameSecond) {
    recording("slow", 10);  // 350 ms
    script("b");
    const std::string slow = task("slow", "20261207090002", "slowR", "1", "N", "0");
    runPlan(slow + task("b", "20261207090009", "bM"));
    at(on(9, 0, 2), [&] { write("plan.ini", slow + task("b", "20261207090002", "bM")); }, 200);
    runFor(4);
    EXPECT_EQ(keysPressed(), "AB");
    EXPECT_THAT(errors, IsEmpty());
}

TEST_F(PlanCheckTest, EndingThePlanWhileATaskRunsStartsNoFurtherTask) {
    recording("slow", 10);
    script("b");
    auto& form = runPlan(task("slow", "20261207090002", "slowR", "1", "N", "0") + task("b", "20261207090002", "bM"));
    factory.modalScript = [&](ui::memory::MemoryWindow& w) {
        dynamic_cast<TForm_plan&>(w.events()).SpeedButton_endClick();
    };
    at(on(9, 0, 2), [&] { form.Speedbutton_planClick(); }, 100);
    runFor(4);
    EXPECT_EQ(keysPressed(), "A");
    EXPECT_FALSE(form.planon);
}

TEST_F(PlanCheckTest, ABinaryOrHugePlanFileNeverBreaksTheTick) {
    script("s");
    std::string junk;
    for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 7919) % 256);
    std::string many;
    for (int i = 0; i < 3000; ++i) many += task("t" + std::to_string(i), "20261207090009", "sM");
    runPlan(junk + "\r\n[\x81]x\r\nTime=\r\n" + many + task("due", "20261207090002", "sM") + junk);
    runFor(3);
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:02"));
    EXPECT_THAT(errors, IsEmpty());
}

}  // namespace
}  // namespace tapmill
