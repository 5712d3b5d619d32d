#include "app/Unit_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/program.h"
#include "common/profile.h"
#include "platform/fake/fake_platform.h"
#include "support/form_fixture.h"
#include "ui/memory/memory_controls.h"

namespace tapmill {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using ui::memory::as;
using ui::memory::MemoryPanel;
using ui::memory::MemoryWindow;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class MainFormTest : public testing::FormFixture {
protected:
    static void touch(const std::string& path) { std::ofstream(path) << "[0]\nx=1\n"; }
};

// ---- creation ----

TEST_F(MainFormTest, RegistersTheNineControlHotKeysInOrder) {
    makeForm();
    std::vector<std::vector<int>> got;
    for (const auto& r : fp.hotkeys.registrations)
        got.push_back({r.id, static_cast<int>(r.modifiers), static_cast<int>(r.virtualKey)});
    EXPECT_THAT(got, ElementsAre(std::vector<int>{200410101, 2, 87},   // Ctrl+W
                                 std::vector<int>{200410102, 2, 81},   // Ctrl+Q
                                 std::vector<int>{200410103, 2, 90},   // Ctrl+Z
                                 std::vector<int>{200410108, 2, 69},   // Ctrl+E
                                 std::vector<int>{200410104, 0, 120},  // F9
                                 std::vector<int>{200510101, 0, 121},  // F10
                                 std::vector<int>{200510102, 1, 87},   // Alt+W
                                 std::vector<int>{200510103, 1, 81},   // Alt+Q
                                 std::vector<int>{200510104, 1, 90}));  // Alt+Z
}

TEST_F(MainFormTest, AHotKeyTakenByAnotherProgramIsSkippedSilently) {
    fp.hotkeys.taken = {{2u, 81u}, {0u, 120u}};  // Ctrl+Q and F9
    makeForm();
    std::vector<int> ids;
    for (const auto& r : fp.hotkeys.registrations) ids.push_back(r.id);
    EXPECT_THAT(ids, ElementsAre(200410101, 200410103, 200410108, 200510101, 200510102, 200510103, 200510104));
    EXPECT_THAT(fp.dialogs.shown, IsEmpty());
}

TEST_F(MainFormTest, KeyMessagesAreTheMessagesRegisteredForTheKeyNumbers) {
    TForm_maintapmill& form = makeForm();
    std::set<uint32_t> distinct;
    for (int n = 1; n <= 123; ++n) {
        const std::string name = std::to_string(n);
        ASSERT_EQ(fp.hotkeys.messages.count(name), 1u) << "no message registered for " << name;
        EXPECT_EQ(form.keymsg[static_cast<size_t>(n)], fp.hotkeys.messages[name]) << "key " << n;
        distinct.insert(form.keymsg[static_cast<size_t>(n)]);
    }
    EXPECT_EQ(distinct.size(), 123u);
}

TEST_F(MainFormTest, ProgramFolderIsTheExecutablesFolderWithItsSeparator) {
    struct Case {
        std::string exe, folder;
    };
    for (const Case& c : {Case{exePath(), dir_ + "/"}, Case{"C:\\Tools\\Tapmill\\tapmill.exe", "C:\\Tools\\Tapmill\\"}}) {
        TForm_maintapmill form(fp.platform, factory, c.exe);
        EXPECT_EQ(form.exedir, c.folder) << c.exe;
    }
}

TEST_F(MainFormTest, WindowClassCaptionAndClientSize) {
    TForm_maintapmill& form = makeForm();
    const ui::WindowSpec& created = as<MemoryWindow>(*form.window).windowSpec();
    EXPECT_EQ(created.className, "TForm_maintapmill");
    EXPECT_EQ(created.caption, "Tapmill V3.3");
    EXPECT_EQ(form.window->text(), "Tapmill V3.3");
    EXPECT_EQ(created.clientWidth, 434);
    EXPECT_EQ(created.clientHeight, 317);
}

TEST_F(MainFormTest, StatusBarTextsAtCreation) {
    TForm_maintapmill& form = makeForm();
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
    EXPECT_EQ(form.StatusBar->panelText(1), "定时设置：未启动");
    EXPECT_EQ(form.StatusBar->panelText(2), "计划任务：");
}

// ---- panels ----

using PanelMember = std::unique_ptr<ui::Panel> TForm_maintapmill::*;
const PanelMember kContentPanels[] = {&TForm_maintapmill::Panel_rec,  &TForm_maintapmill::Panel_homa,
                                      &TForm_maintapmill::Panel_time, &TForm_maintapmill::Panel_set,
                                      &TForm_maintapmill::Panel_help, &TForm_maintapmill::Panel_author,
                                      &TForm_maintapmill::Panel_strec};

TEST_F(MainFormTest, AtStartTheJournalPanelLiesInFrontOfThePlainRecordingPanel) {
    TForm_maintapmill& form = shownForm();
    for (PanelMember p : kContentPanels) {
        const bool expected = p == &TForm_maintapmill::Panel_rec || p == &TForm_maintapmill::Panel_strec;
        EXPECT_EQ((form.*p)->visible(), expected) << (form.*p)->text();
    }
    EXPECT_FALSE(form.panel_logo->visible());
    EXPECT_GT(as<MemoryPanel>(*form.Panel_strec).zOrder(), as<MemoryPanel>(*form.Panel_rec).zOrder());
}

struct NavigationCase {
    const char* name;
    void (TForm_maintapmill::*click)();
    PanelMember panel;
};

void PrintTo(const NavigationCase& c, std::ostream* os) { *os << c.name; }

class MainFormNavigationTest : public MainFormTest, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(MainFormNavigationTest, ShowsOnlyItsOwnPanel) {
    TForm_maintapmill& form = shownForm();
    // Start from another panel so that showing the right one is not a leftover of the start.
    form.Speedbutton_authorClick();
    if (GetParam().panel == &TForm_maintapmill::Panel_author) form.Speedbutton_helpClick();

    (form.*GetParam().click)();

    for (PanelMember p : kContentPanels) EXPECT_EQ((form.*p)->visible(), p == GetParam().panel) << (form.*p)->text();
    EXPECT_FALSE(form.panel_logo->visible());
}

INSTANTIATE_TEST_SUITE_P(
    EveryButton, MainFormNavigationTest,
    ::testing::Values(
        NavigationCase{"mrec", &TForm_maintapmill::SpeedButton_mrecClick, &TForm_maintapmill::Panel_rec},
        NavigationCase{"homa", &TForm_maintapmill::Speedbutton_homaClick, &TForm_maintapmill::Panel_homa},
        NavigationCase{"time", &TForm_maintapmill::Speedbutton_timeClick, &TForm_maintapmill::Panel_time},
        NavigationCase{"set", &TForm_maintapmill::Speedbutton_setClick, &TForm_maintapmill::Panel_set},
        NavigationCase{"help", &TForm_maintapmill::Speedbutton_helpClick, &TForm_maintapmill::Panel_help},
        NavigationCase{"author", &TForm_maintapmill::Speedbutton_authorClick, &TForm_maintapmill::Panel_author},
        NavigationCase{"strec", &TForm_maintapmill::button_strecClick, &TForm_maintapmill::Panel_strec}),
    [](const ::testing::TestParamInfo<NavigationCase>& info) { return std::string(info.param.name); });

// ---- show ----

TEST_F(MainFormTest, FirstShowInAnEmptyFolder) {
    TForm_maintapmill& form = shownForm();
    EXPECT_EQ(form.Label_recfra->text(), "-1");
    EXPECT_EQ(form.label_stfra->text(), "-1");
    EXPECT_EQ(form.StatusBar->panelText(2), "计划任务:未启动");
    EXPECT_FALSE(form.planon);
    EXPECT_FALSE(form.CheckBox_autorun->checked());
    EXPECT_FALSE(form.CheckBox_bfsy->checked());
    EXPECT_FALSE(form.CheckBox_lzsy->checked());
    EXPECT_EQ(form.ComboBox_recjbname->count(), 0);
    EXPECT_EQ(form.ComboBox_stjb->count(), 0);
    EXPECT_EQ(form.ListBox_plan->count(), 0);
}

TEST_F(MainFormTest, ShowReadsTheFrameCountsOfTheCurrentRecordings) {
    profile::writeInteger(file("jb_rec/jb_rec.ini"), "all", "value", 5);
    profile::writeInteger(file("jb_strec/stjb.ini"), "end", "all", 3);
    TForm_maintapmill& form = shownForm();
    EXPECT_EQ(form.Label_recfra->text(), "4");
    EXPECT_EQ(form.label_stfra->text(), "2");
}

TEST_F(MainFormTest, ShowListsOnlyFilesEndingInLowerCaseIni) {
    for (const char* name : {"a.ini", "b.ini", "c.INI", "x.txt"}) touch(file(std::string("jb_rec/") + name));
    TForm_maintapmill& form = shownForm();
    EXPECT_THAT(items(*form.ComboBox_recjbname), UnorderedElementsAre("a", "b"));
}

TEST_F(MainFormTest, ShowListsTheJournalRecordings) {
    for (const char* name : {"j1.ini", "j2.ini"}) touch(file(std::string("jb_strec/") + name));
    TForm_maintapmill& form = shownForm();
    EXPECT_THAT(items(*form.ComboBox_stjb), UnorderedElementsAre("j1", "j2"));
}

TEST_F(MainFormTest, ShowListsThePlanTasksInFileOrder) {
    profile::writeString(file("plan.ini"), "t2", "name", "x");
    profile::writeString(file("plan.ini"), "t1", "name", "y");
    TForm_maintapmill& form = shownForm();
    EXPECT_THAT(items(*form.ListBox_plan), ElementsAre("t2", "t1"));
}

struct PlanStateCase {
    const char* state;  // nullptr: the key is missing
    bool planon;
    const char* status;
};

void PrintTo(const PlanStateCase& c, std::ostream* os) { *os << (c.state ? c.state : "(missing)"); }

class MainFormPlanStateTest : public MainFormTest, public ::testing::WithParamInterface<PlanStateCase> {};

TEST_P(MainFormPlanStateTest, ShowReadsThePlanState) {
    if (GetParam().state) profile::writeString(file("config.ini"), "plan", "state", GetParam().state);
    else profile::writeString(file("config.ini"), "other", "x", "1");
    TForm_maintapmill& form = makeForm();
    form.planon = !GetParam().planon;
    form.window->show();
    EXPECT_EQ(form.planon, GetParam().planon);
    EXPECT_EQ(form.StatusBar->panelText(2), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(States, MainFormPlanStateTest,
                         ::testing::Values(PlanStateCase{"true", true, "计划任务:已启动"},
                                           PlanStateCase{"TRUE", false, "计划任务:未启动"},
                                           PlanStateCase{"false", false, "计划任务:未启动"},
                                           PlanStateCase{nullptr, false, "计划任务:未启动"}));

struct OptionCase {
    int autorun, bfsy, lzsy;  // stored values of key "x"
    bool autorunChecked, bfsyChecked, lzsyChecked;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
    *os << "autorun=" << c.autorun << " bfsy=" << c.bfsy << " lzsy=" << c.lzsy;
}

class MainFormOptionsTest : public MainFormTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(MainFormOptionsTest, ShowChecksTheOptionBoxesWhoseValueIsOne) {
    const OptionCase& c = GetParam();
    const std::string config = file("config.ini");
    // Written in lower case; section names match without regard to case.
    profile::writeInteger(config, "autorun", "x", c.autorun);
    profile::writeInteger(config, "bfsy", "x", c.bfsy);
    profile::writeInteger(config, "lzsy", "x", c.lzsy);
    TForm_maintapmill& form = makeForm();
    // Unsaved ticks are lost at a show.
    for (ui::CheckBox* box : {form.CheckBox_autorun.get(), form.CheckBox_bfsy.get(), form.CheckBox_lzsy.get()})
        box->setChecked(true);

    form.window->show();

    EXPECT_EQ(form.CheckBox_autorun->checked(), c.autorunChecked);
    EXPECT_EQ(form.CheckBox_bfsy->checked(), c.bfsyChecked);
    EXPECT_EQ(form.CheckBox_lzsy->checked(), c.lzsyChecked);
}

INSTANTIATE_TEST_SUITE_P(Values, MainFormOptionsTest,
                         ::testing::Values(OptionCase{1, 2, 1, true, false, true},
                                           OptionCase{2, 1, 0, false, true, false},
                                           OptionCase{-1, 0, 11, false, false, false}));

TEST_F(MainFormTest, EveryShowClearsTheFlagsAndRetakesTheCurrentNames) {
    TForm_maintapmill& form = shownForm();
    profile::writeInteger(file("jb_rec/mine.ini"), "all", "value", 7);
    for (bool* flag : {&form.recording, &form.recpause, &form.playing, &form.playpause, &form.running,
                       &form.runpause, &form.capture_kb, &form.capture_hot, &form.capture_kc, &form.timeset})
        *flag = true;
    form.editname = "edited";
    form.usename = "enabled";
    form.editrun = true;
    form.Label_recjbname->setText("mine");
    form.Label_stjbname->setText("journal");
    profile::writeString(file("plan.ini"), "t1", "name", "x");

    form.window->hide();
    form.window->show();
    form.window->hide();
    form.window->show();

    for (bool flag : {form.recording, form.recpause, form.playing, form.playpause, form.running, form.runpause,
                      form.capture_kb, form.capture_hot, form.capture_kc})
        EXPECT_FALSE(flag);
    EXPECT_TRUE(form.timeset) << "an armed timed start stays armed until it fires or is cancelled";
    EXPECT_EQ(form.recname, "mine");
    EXPECT_EQ(form.stname, "journal");
    EXPECT_EQ(form.Label_recfra->text(), "6");
    // The lists are refilled, not added to.
    EXPECT_THAT(items(*form.ComboBox_recjbname), ElementsAre("mine"));
    EXPECT_THAT(items(*form.ListBox_plan), ElementsAre("t1"));
    EXPECT_EQ(form.editname, "");
    EXPECT_EQ(form.usename, "enabled") << "the enabled script survives a show";
    EXPECT_TRUE(form.editrun) << "the editor's own run is not the show's business";
}

// ---- close ----

TEST_F(MainFormTest, AnsweringNoToTheExitQuestionChangesNothing) {
    TForm_maintapmill& form = shownForm();
    form.recording = form.playing = form.running = true;

    EXPECT_FALSE(form.FormCloseQuery());

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "是否真的要退出Tapmill？");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(fp.dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(form.recording);
    EXPECT_TRUE(form.playing);
    EXPECT_TRUE(form.running);
    EXPECT_THAT(fp.hotkeys.unregistered, IsEmpty());
}

TEST_F(MainFormTest, AnsweringYesUnregistersTheHotKeysAndClearsTheRunFlags) {
    TForm_maintapmill& form = shownForm();
    form.recording = form.playing = form.running = true;
    fp.dialogs.answerNext(MessageAnswer::Yes);

    EXPECT_TRUE(form.FormCloseQuery());

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "是否真的要退出Tapmill？");
    EXPECT_THAT(fp.hotkeys.unregistered, UnorderedElementsAre(200410101, 200410102, 200410103, 200410104, 200410108));
    EXPECT_FALSE(form.recording);
    EXPECT_FALSE(form.playing);
    EXPECT_FALSE(form.running);
}

TEST_F(MainFormTest, AnsweringNoDuringPlaybackLeavesItRunning) {
    TForm_maintapmill& form = shownForm();
    const std::string rec = file("jb_rec/jb_rec.ini");
    for (int f = 0; f < 3; ++f) {
        profile::writeInteger(rec, std::to_string(f), "x", 10 + f);
        profile::writeInteger(rec, std::to_string(f), "y", 20 + f);
    }
    profile::writeInteger(rec, "all", "value", 3);
    form.CheckBox_loop->setChecked(true);

    const uint64_t start = fp.pump.now();
    bool playingAfterQuestion = false;
    fp.pump.at(start + 105, [&] { form.window->close(); });
    fp.pump.at(start + 110, [&] { playingAfterQuestion = form.playing; });
    fp.pump.at(start + 390, [&] { form.SpeedButton_stopClick(); });

    form.SpeedButton_playClick();

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "是否真的要退出Tapmill？");
    EXPECT_TRUE(playingAfterQuestion);
    EXPECT_FALSE(as<MemoryWindow>(*form.window).closed());
    int framesAfterQuestion = 0;
    for (const auto& call : fp.input.calls())
        if (call.kind == fake::InputCall::SetCursor && call.time > start + 105) ++framesAfterQuestion;
    // Frames every 20 ms from 120 on, up to the stop at 390.
    EXPECT_EQ(framesAfterQuestion, 14);
    EXPECT_THAT(fp.hotkeys.unregistered, IsEmpty());
}

// ---- program start ----

// Keeps hold of the window and status bar it makes, so a test can look at them while the program runs.
class WatchingFactory : public ui::memory::MemoryFactory {
public:
    std::unique_ptr<ui::Window> window(const ui::WindowSpec& look, ui::WindowEvents& events) override {
        auto w = MemoryFactory::window(look, events);
        windows.push_back(w.get());
        return w;
    }
    std::unique_ptr<ui::StatusBar> statusBar(ui::Control& parent, int id, ui::Rect rect,
                                             const std::vector<int>& widths) override {
        auto s = MemoryFactory::statusBar(parent, id, rect, widths);
        statusBars.push_back(s.get());
        return s;
    }
    std::vector<ui::Window*> windows;
    std::vector<ui::StatusBar*> statusBars;
};

TEST_F(MainFormTest, ASecondInstanceIsRefusedWithoutTouchingAnything) {
    const std::set<std::string> before = folderContents();
    fp.desktop.windowClasses = {"TForm_maintapmill"};
    WatchingFactory watching;

    EXPECT_EQ(runProgram(fp.platform, watching), 0);

    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "该程序已经有一个在运行中！");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(fp.dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(fp.dialogs.shown[0].ownerless);
    EXPECT_THAT(fp.hotkeys.registrations, IsEmpty());
    EXPECT_THAT(fp.hotkeys.messages, IsEmpty());
    EXPECT_THAT(watching.windows, IsEmpty());
    EXPECT_EQ(folderContents(), before);
}

TEST_F(MainFormTest, ASecondStartBringsTheRunningWindowBackFromTheTrayAfterItsMessage) {
    auto& running = shownForm();
    ui::memory::as<ui::memory::MemoryWindow>(*running.window).minimize();
    ASSERT_FALSE(running.window->visible());
    fp.desktop.windowClasses = {"TForm_maintapmill"};
    size_t postedWhileAsking = 1;
    fp.dialogs.onShow = [&](const fake::ShownMessage&) { postedWhileAsking = fp.desktop.posted.size(); };
    WatchingFactory watching;

    EXPECT_EQ(runProgram(fp.platform, watching), 0);

    EXPECT_EQ(postedWhileAsking, 0u) << "the window comes back once the message is answered";
    ASSERT_EQ(fp.desktop.posted.size(), 1u);
    EXPECT_EQ(fp.desktop.posted[0].className, "TForm_maintapmill");
    // What reaches the running instance's window procedure.
    running.onMessage(fp.desktop.posted[0].message, fp.desktop.posted[0].wParam, fp.desktop.posted[0].lParam);
    EXPECT_TRUE(running.window->visible());
    EXPECT_FALSE(running.window->minimized());
    EXPECT_EQ(fp.tray.foregrounded, 1);
    EXPECT_THAT(watching.windows, IsEmpty());
}

TEST_F(MainFormTest, AFirstInstanceOpensAndShowsTheMainWindow) {
    fp.desktop.windowClasses = {"SomeOtherProgram"};
    WatchingFactory watching;
    bool visibleInLoop = false;
    std::string planStatusInLoop;
    fp.pump.post([&] {
        // The main window, and beside it the notice of the global keys of a first start.
        ASSERT_EQ(watching.windows.size(), 2u);
        ASSERT_EQ(watching.statusBars.size(), 1u);
        visibleInLoop = watching.windows[0]->visible();
        // Set by the show step alone.
        planStatusInLoop = watching.statusBars[0]->panelText(2);
    });

    EXPECT_EQ(runProgram(fp.platform, watching), 0);

    EXPECT_THAT(fp.dialogs.shown, IsEmpty());
    EXPECT_EQ(fp.hotkeys.registrations.size(), 9u);
    EXPECT_TRUE(visibleInLoop);
    EXPECT_EQ(planStatusInLoop, "计划任务:未启动");
}

}  // namespace
}  // namespace tapmill
