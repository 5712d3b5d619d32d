// The plan window: adding tasks to plan.ini as GBK in their fixed key order, deleting them,
// starting and ending the plan with its state in config.ini, and the refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/gbk.h"
#include "common/profile.h"
#include "support/form_fixture.h"
#include "triggers/Unit_plan.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

class PlanWindowTest : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        fp.clock.set({2026, 12, 7, 9, 0, 0});
        write("jb_rec/录像一.ini", "");
        write("jb_homa/s1.ini", "");
    }

    // Opens the window by "计划任务" and runs `inside` while it is open.
    void withWindow(const std::function<void(TForm_plan&)>& inside) {
        TForm_maintapmill& main = this->main();
        factory.modalScript = [&](ui::memory::MemoryWindow& w) { inside(dynamic_cast<TForm_plan&>(w.events())); };
        main.Speedbutton_planClick();
        factory.modalScript = nullptr;
    }
    TForm_maintapmill& main() { return main_ ? *main_ : *(main_ = &shownForm()); }

    // Fills in a task for the recording (or, with handWritten, the script s1) at 08:30:00 on
    // 28 October 2004.
    static void fillIn(TForm_plan& w, const std::string& name, bool handWritten = false) {
        w.RadioButton_recjbc->setChecked(!handWritten);
        w.RadioButton_homajbc->setChecked(handWritten);
        (handWritten ? w.ComboBox_homajbc : w.ComboBox_recjbc)->setSelectedIndex(0);
        w.DateTimePicker_datec->setValue({2004, 10, 28, 23, 59, 59});
        w.DateTimePicker_timec->setValue({2000, 1, 1, 8, 30, 0});
        w.Edit_plan->setText(name);
    }

    static std::vector<std::string> listed(const ui::ItemList& list) { return items(list); }

    TForm_maintapmill* main_ = nullptr;
};

TEST_F(PlanWindowTest, OpensAsAModalWindowOwnedByTheMainWindowWithItsListsFilled) {
    write("plan.ini", "[a]\r\nTime=0\r\n[b]\r\nTime=0\r\n");
    withWindow([&](TForm_plan& w) {
        const ui::WindowSpec& created = dynamic_cast<ui::memory::MemoryWindow&>(*w.window).windowSpec();
        EXPECT_EQ(created.caption, "计划任务");
        EXPECT_EQ(created.owner, main().window->nativeHandle());
        EXPECT_THAT(listed(*w.ComboBox_recjbc), ElementsAre("录像一"));
        EXPECT_THAT(listed(*w.ComboBox_homajbc), ElementsAre("s1"));
        EXPECT_EQ(w.ComboBox_recjbc->selectedIndex(), -1);
        EXPECT_EQ(timestamp14(w.DateTimePicker_datec->value()).substr(0, 8), "20261207");
        EXPECT_EQ(timestamp14(w.DateTimePicker_timec->value()).substr(8), "090000");
        EXPECT_THAT(listed(*w.ListBox_plan), ElementsAre("a　0", "b　0"));
        EXPECT_EQ(w.Label_state->text(), "计划状况:未启动");
        EXPECT_TRUE(w.Panel3->enabled());
        EXPECT_TRUE(w.SpeedButton_start->enabled());
    });
}

TEST_F(PlanWindowTest, AddingWritesTheKeysInOrderAsGbkAndRefreshesBothLists) {
    withWindow([&](TForm_plan& w) {
        fillIn(w, "每日任务");
        w.Edit_t->setText("3");
        w.trackbar_speed->setPosition(7);
        w.CheckBox_e->setChecked(true);
        w.SpeedButton_addplanClick();

        fillIn(w, "once", true);
        w.CheckBox_loopc->setChecked(true);
        w.CheckBox_e->setChecked(false);
        w.SpeedButton_addplanClick();

        // Each task with when it starts and its script.
        EXPECT_THAT(listed(*w.ListBox_plan),
                    ElementsAre("每日任务　每天 08:30:00　录像一（录制）", "once　2004-10-28 08:30:00　s1（自编）"));
        EXPECT_EQ(w.Edit_plan->text(), "once") << "the inputs keep their values";
    });
    EXPECT_EQ(read("plan.ini"), "[" + gbk("每日任务") + "]\r\nTime=20041028083000\r\njbname=" + gbk("录像一") +
                                    "R\r\nspeed=7\r\ntimes=3\r\nE=Y\r\n"
                                    "[once]\r\nTime=20041028083000\r\njbname=s1M\r\ntimes=-359\r\nE=N\r\n");
    EXPECT_THAT(listed(*main().ListBox_plan), ElementsAre("每日任务", "once"));
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(PlanWindowTest, AddingUnderAnExistingNameRewritesItsKeysAndKeepsTheOldSpeed) {
    withWindow([&](TForm_plan& w) {
        fillIn(w, "t");
        w.trackbar_speed->setPosition(9);
        w.SpeedButton_addplanClick();
        // Names match as profile names do: without regard to case or the blanks around them.
        fillIn(w, " T ", true);
        w.Edit_t->setText("2");
        w.SpeedButton_addplanClick();
        EXPECT_THAT(listed(*w.ListBox_plan), ElementsAre("t　2004-10-28 08:30:00　s1（自编）"));
    });
    EXPECT_EQ(read("plan.ini"), "[t]\r\nTime=20041028083000\r\njbname=s1M\r\nspeed=9\r\ntimes=2\r\nE=N\r\n");
}

TEST_F(PlanWindowTest, RefusesWithoutAScriptOrANameAndWritesNothing) {
    withWindow([&](TForm_plan& w) {
        w.Edit_plan->setText("t");
        w.SpeedButton_addplanClick();
        w.RadioButton_recjbc->setChecked(false);
        w.RadioButton_homajbc->setChecked(true);
        w.ComboBox_recjbc->setSelectedIndex(0);
        w.SpeedButton_addplanClick();
        fillIn(w, "   ");
        w.SpeedButton_addplanClick();
        fillIn(w, "a]b");
        w.SpeedButton_addplanClick();
        fillIn(w, "坏\xF0\x9F\x98\x80");  // an emoji GBK cannot hold
        w.SpeedButton_addplanClick();
        w.SpeedButton_delplanClick();
    });
    EXPECT_THAT(messages(),
                ElementsAre("请选择脚本！", "请选择脚本！", "任务名不能为空！",
                            "无法以“a]b”为任务名：任务名不能含有“]”或控制字符，也不能含有无法保存的字符，请换一个名字！",
                            "无法以“坏\xF0\x9F\x98\x80”为任务名：任务名不能含有“]”或控制字符，也不能含有无法保存的字符，请换一个名字！",
                            "请选择您要删除的脚本！"));
    for (const auto& m : fp.dialogs.shown) EXPECT_EQ(m.caption, "提醒！");
    EXPECT_FALSE(exists("plan.ini"));
}

TEST_F(PlanWindowTest, DeletingErasesTheSelectedTaskEvenOneWhoseNameIsNoGbk) {
    write("plan.ini", "[a]\r\nTime=1\r\n[\x81\x20junk]\r\nTime=2\r\n[c]\r\nTime=3\r\n");
    withWindow([&](TForm_plan& w) {
        w.ListBox_plan->setSelectedIndex(1);
        w.SpeedButton_delplanClick();
        EXPECT_THAT(listed(*w.ListBox_plan), ElementsAre("a　1", "c　3"));
        w.ListBox_plan->setSelectedIndex(0);
        w.SpeedButton_delplanClick();
    });
    EXPECT_EQ(read("plan.ini"), "[c]\r\nTime=3\r\n");
    EXPECT_THAT(listed(*main().ListBox_plan), ElementsAre("c"));
}

TEST_F(PlanWindowTest, StartingAndEndingLockTheGroupsAndKeepTheStateInConfig) {
    withWindow([&](TForm_plan& w) {
        w.CheckBox_loopc->setChecked(true);
        w.CheckBox_loopcClick();
        w.SpeedButton_startClick();
        EXPECT_TRUE(main().planon);
        for (ui::Panel* group : {w.Panel3.get(), w.Panel5.get(), w.Panel6.get(), w.Panel7.get()})
            EXPECT_FALSE(group->enabled());
        EXPECT_FALSE(w.SpeedButton_addplan->enabled());
        EXPECT_FALSE(w.ComboBox_homajbc->enabled());
        EXPECT_FALSE(w.DateTimePicker_datec->enabled());
        EXPECT_FALSE(w.SpeedButton_start->enabled());
        EXPECT_TRUE(w.SpeedButton_end->enabled());
        EXPECT_EQ(w.Label_state->text(), "计划状况:已启动");
        EXPECT_EQ(main().StatusBar->panelText(2), "计划任务:已启动");
        EXPECT_EQ(profile::readString(file("config.ini"), "plan", "state", ""), "true");

        w.SpeedButton_endClick();
        EXPECT_FALSE(main().planon);
        for (ui::Panel* group : {w.Panel3.get(), w.Panel5.get(), w.Panel6.get(), w.Panel7.get()})
            EXPECT_TRUE(group->enabled());
        EXPECT_TRUE(w.SpeedButton_start->enabled());
        EXPECT_TRUE(w.SpeedButton_addplan->enabled());
        EXPECT_FALSE(w.Edit_t->enabled()) << "the endless box still rules the count";
        EXPECT_EQ(w.Label_state->text(), "计划状况:未启动");
        EXPECT_EQ(main().StatusBar->panelText(2), "计划任务:未启动");
    });
    EXPECT_EQ(read("config.ini"), "[plan]\r\nstate=false\r\n");
}

TEST_F(PlanWindowTest, TheStateSurvivesARestartAndTheWindowOpensLocked) {
    withWindow([&](TForm_plan& w) { w.SpeedButton_startClick(); });
    main_ = nullptr;
    auto& restarted = main();
    EXPECT_TRUE(restarted.planon);
    EXPECT_EQ(restarted.StatusBar->panelText(2), "计划任务:已启动");
    withWindow([&](TForm_plan& w) {
        EXPECT_FALSE(w.Panel3->enabled());
        EXPECT_FALSE(w.SpeedButton_start->enabled());
        EXPECT_EQ(w.Label_state->text(), "计划状况:已启动");
    });
    // Only the exact text counts.
    write("config.ini", "[plan]\r\nstate=TRUE\r\n");
    main_ = nullptr;
    EXPECT_FALSE(main().planon);
    EXPECT_EQ(main().StatusBar->panelText(2), "计划任务:未启动");
}

TEST_F(PlanWindowTest, AReadOnlyFolderStopsEachActionAtItsFailedWrite) {
    // Read-only files, as in a read-only folder: the tests may run with rights that ignore a
    // folder's permissions.
    write("plan.ini", "[old]\r\nTime=1\r\n");
    write("config.ini", "");
    std::filesystem::permissions(file("plan.ini"), std::filesystem::perms::owner_read);
    std::filesystem::permissions(file("config.ini"), std::filesystem::perms::owner_read);
    std::vector<std::string> failures;
    auto attempt = [&](const std::function<void()>& action) {
        try {
            action();
        } catch (const Error& e) {
            failures.push_back(e.what());
        }
    };
    withWindow([&](TForm_plan& w) {
        fillIn(w, "new");
        attempt([&] { w.SpeedButton_addplanClick(); });
        w.ListBox_plan->setSelectedIndex(0);
        attempt([&] { w.SpeedButton_delplanClick(); });
        attempt([&] { w.SpeedButton_startClick(); });
        EXPECT_FALSE(main().planon);
        EXPECT_TRUE(w.SpeedButton_start->enabled());
        EXPECT_THAT(listed(*w.ListBox_plan), ElementsAre("old　1"));
    });
    const std::string plan = "Unable to write to " + file("plan.ini");
    EXPECT_THAT(failures, ElementsAre(plan, plan, "Unable to write to " + file("config.ini")));
    EXPECT_EQ(read("plan.ini"), "[old]\r\nTime=1\r\n");
    EXPECT_EQ(main().StatusBar->panelText(2), "计划任务:未启动");
}

}  // namespace
}  // namespace tapmill
