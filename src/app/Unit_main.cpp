#include "app/Unit_main.h"
#include "app/state_indicator.h"

#include <string>

#include "app/control_key_panel.h"
#include "app/global_keys_notice.h"
#include "app/play_settings.h"

#include "common/counts.h"
#include "common/error.h"
#include "common/gbk.h"
#include "common/profile.h"
#include "common/script_names.h"

namespace tapmill {

namespace {

// Unregistered at the close; the journal keys go with the window.
const int kHotKeysUnregisteredAtClose[] = {HK_Record, HK_Stop, HK_Play, HK_Pause, HK_Run};

bool startsSomething(int id) {
    return id == HK_Record || id == HK_Play || id == HK_Run || id == HK_JournalRecord || id == HK_JournalPlay;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

TForm_maintapmill::TForm_maintapmill(platform::Platform& platform, ui::Factory& factory, const std::string& exePath)
    : keyReporting(platform.hooks),
      userHotKeys(platform.hotkeys),
      stjournal(platform.journalHooks, platform.pump, platform.dialogs),
      platform_(platform),
      factory_(factory),
      exePath_(exePath) {
    createControls();
    createRecLibrary();
    createJournalLibrary();
    playSettings_ = std::make_unique<PlaySettings>(std::vector<PlaySettings::Panel>{
        {"playrec", *Edit_playt, RzTrackBar_speed.get(), *CheckBox_loop, [this] { CheckBox_loopClick(); }},
        {"runhoma", *Edit_playta, nullptr, *CheckBox_loopa, [this] { CheckBox_loopaClick(); }},
        {"playst", *Edit_stt, RzTrackBar_st.get(), *RzCheckBox_loop, [this] { RzCheckBox_loopClick(); }},
        {"timedstart", *Edit_playtb, RzTrackBar_playa.get(), *CheckBox_loopb, [this] { CheckBox_loopbClick(); }},
    });
    playSettings_->addBox("playrec", "follow", windowFollowing_->box());
    // A journal recording a failed write ended shows as ended, as one the stop ended does.
    stjournal.recorder.onEndedByFailure = [this] {
        label_ststate->setText("");
        clearJournalPause();
        showActivity();
    };
    // The system took none of what the emulated journal driver sent: the playback ends and says why.
    stjournal.playbackHook.onInputRefused = [this](platform::InputRefusal refusal) {
        WMCancelJournal();
        reportRefusedInput(refusal);
    };
    FormCreate();
}

TForm_maintapmill::~TForm_maintapmill() = default;

void TForm_maintapmill::FormCreate() {
    exedir = folderOf(exePath_);
    // A control hot key gives way to an entry of the table on the same combination: only a
    // hand-edited file has one, and the refusal says which.
    userHotKeys.load(exedir + "hotkey.ini", window->nativeHandle());
    controlKeyConflicts_ =
        controlKeys.read(exedir + "config.ini", [this](KeyChord chord) { return userHotKeys.claimer(chord) != nullptr; });
    keepResolvedControlKeys();
    registerControlHotKeys();
    controlKeyPanel->showKeys();
    showControlKeys();
    for (int n = 1; n <= kHighestKeyNumber; ++n) keymsg[static_cast<size_t>(n)] = platform_.hotkeys.registerWindowMessage(std::to_string(n));
    keyTransitionMsg = platform_.hotkeys.registerWindowMessage(kKeyTransitionMessageName);
    keyboardWindowMsg = platform_.hotkeys.registerWindowMessage(kKeyboardWindowMessageName);
}

// The keys in force after a refusal are kept, so that the conflict is told once and not at every
// start. Where config.ini cannot be written the file stays as it was and the next start tells it
// again, which is all that can be done without it.
void TForm_maintapmill::keepResolvedControlKeys() {
    if (controlKeyConflicts_.empty()) return;
    try {
        controlKeys.write(exedir + "config.ini");
    } catch (const Error&) {
    }
}

void TForm_maintapmill::registerControlHotKeys() { controlKeys.registerAll(platform_.hotkeys, window->nativeHandle()); }

void TForm_maintapmill::FormShow() {
    createShortcutOnFirstStart();
    // A playback of the journal ends with its flag: no hook or driver is left playing on.
    stjournal.recorder.recording = false;
    stjournal.player.endOnShow();
    clearJournalPause();
    recpause = recording = playpause = playing = runpause = running = false;
    capture_kb = capture_hot = capture_kc = false;
    // An armed timed start outlasts the show: the panel stays locked for it and it fires at its
    // second, unless "取消定时" takes it back.

    recname = Label_recjbname->text();
    listjb(*ComboBox_recjbname, "jb_rec\\");
    stname = Label_stjbname->text();
    listjb(*ComboBox_stjb, "jb_strec\\");
    editname.clear();

    Label_recfra->setText(lastIndexText(profile::readInteger(dataPath("jb_rec\\", recname), "all", "value", 0)));
    stjournal.current.file = dataPath("jb_strec\\", stname);
    label_stfra->setText(lastIndexText(journal::readJournalEventCount(stjournal.current.file)));

    ListBox_plan->clear();
    for (const std::string& task : profile::sectionNames(exedir + "plan.ini")) ListBox_plan->addItem(gbkToUtf8Lossy(task));

    const std::string config = exedir + "config.ini";
    planon = profile::readString(config, "plan", "state", "false") == "true";
    setStatus(2, planon ? "计划任务:已启动" : "计划任务:未启动");

    if (window->minimized()) window->restore();
    addTrayIcon();

    readOptions(config);
    playSettings_->restoreAtStart(config);
    if (captureFields.hiddenForPointCapture) captureFields.hiddenForPointCapture->show();
    offerGlobalKeysNotice(config);
}

bool TForm_maintapmill::FormCloseQuery() {
    if (platform_.dialogs.messageBox("是否真的要退出Tapmill？", platform::kRemindCaption,
                                     platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return false;
    endEverything();
    return true;
}

void TForm_maintapmill::WMEndSession() {
    // The system may end the process as soon as this returns, before any loop below gets back
    // its turn: a plain recording gets its count now, and nothing more goes into it.
    if (recording) openRec_.seal(recFrame);
    platform_.hooks.stopHook();
    platform_.hooks.disableHotKeyHook();
    endEverything();
    FormClose();
}

void TForm_maintapmill::endEverything() {
    for (int id : kHotKeysUnregisteredAtClose) platform_.hotkeys.unregisterHotKey(window->nativeHandle(), id);
    userHotKeys.unregisterAll();
    // Loops in progress see their flags cleared and return at their next check. A paused loop
    // would never get there, so the pause flags go too.
    recording = playing = running = false;
    recpause = playpause = runpause = false;
    recConversion_.stop();
    clearJournalPause();
    removeTrayIcon();
    // A journal recording gets its count, also one a show took the flag of; a journal playback
    // must not go on injecting into a desktop the program has left. The program ends either way:
    // a count that cannot be written is reported, and the rest of the ending still happens.
    std::string failure;
    try {
        if (stjournal.recorder.hookHeld()) RzBitBtn_ststopClick();
    } catch (const Error& e) {
        failure = e.what();
    }
    try {
        playSettings_->save(exedir + "config.ini");
    } catch (const Error& e) {
        if (failure.empty()) failure = e.what();
    }
    stjournal.player.stop();
    if (!failure.empty()) platform_.dialogs.messageBox(failure, kErrorReportCaption, platform::MessageButtons::Ok);
}

// A start inside a modal window's loop would play in that window, and what it started would keep
// the window's answer (the exit question's 是 among them) waiting until it ends.
bool TForm_maintapmill::busyForAStart() const {
    return recording || playing || running || stjournal.recorder.hookHeld() || stjournal.player.playing ||
           modalLoopOpen();
}

bool TForm_maintapmill::modalLoopOpen() const { return platform_.dialogs.boxOpen() || factory_.modalWindowOpen(); }

// A second removal after the one of the close request does nothing.
void TForm_maintapmill::FormClose() { removeTrayIcon(); }

// The others are hidden before the chosen one shows, so two panels are never in view at once.
void TForm_maintapmill::showOnly(ui::Panel& panel) {
    for (ui::Panel* p : {Panel_rec.get(), Panel_homa.get(), Panel_time.get(), Panel_set.get(), Panel_help.get(),
                         Panel_author.get(), Panel_strec.get()})
        if (p != &panel) p->setVisible(false);
    panel.setVisible(true);
    panel.bringToFront();
}

void TForm_maintapmill::SpeedButton_mrecClick() { showOnly(*Panel_rec); }
void TForm_maintapmill::Speedbutton_homaClick() {
    relistview(*ListView_homa, usename);
    showOnly(*Panel_homa);
}
void TForm_maintapmill::Speedbutton_setClick() { showOnly(*Panel_set); }
void TForm_maintapmill::Speedbutton_helpClick() { showOnly(*Panel_help); }
void TForm_maintapmill::Speedbutton_authorClick() { showOnly(*Panel_author); }
void TForm_maintapmill::button_strecClick() { showOnly(*Panel_strec); }

void TForm_maintapmill::Speedbutton_timeClick() {
    // While a timed start is armed its choices stay as they are.
    if (!timeset) {
        const LocalTime now = platform_.clock.now();
        DateTimePicker_date->setValue(now);
        DateTimePicker_time->setValue(now);
        listjb(*ComboBox_recjb, "jb_rec\\");
        listjb(*ComboBox_homajb, "jb_homa\\");
        listjb(*ComboBox_stjb, "jb_strec\\");
    }
    showOnly(*Panel_time);
}

void TForm_maintapmill::OnWMHotKey(int id) {
    // While a key field has the focus, the combination is the key being captured (the keyboard
    // library reports it to the field), not an order; only the stop of what goes on still stops.
    if ((capture_kb || capture_hot || capture_kc || captureFields.chordField) && !stopsWhatRuns(id)) return;
    if (const HotKeyEntry* entry = userHotKeys.entryOf(id)) {
        leaveModifierOutOfRecording(entry->chord.modifiers);
        return userHotKeyPressed(*entry);
    }
    if (controlHotKey(id)) leaveModifierOutOfRecording(controlKeys.chord(id).modifiers);
    // As a user's hot key, a control hot key starts nothing inside a modal window's loop; its stop
    // and pause still act on what goes on.
    if (startsSomething(id) && modalLoopOpen()) return;
    // A hot key performs its button's click action even while the button is disabled.
    switch (id) {
        case HK_Record:
            SpeedButton_recClick();
            break;
        case HK_Stop:
            SpeedButton_stopClick();
            Speedbutton_stopaClick();
            stopJournalPlayback();
            break;
        case HK_Play:
            SpeedButton_playClick();
            break;
        case HK_Pause:
            SpeedButton_pauseClick();
            SpeedButton_pauseaClick();
            break;
        case HK_Run:
            Speedbutton_runClick();
            break;
        case HK_CapturePoint:
            capturePoint();
            break;
        case HK_JournalPause:
            Speedbutton_stpauseClick();
            break;
        case HK_JournalRecord:
            RzBitBtn_strecClick();
            break;
        case HK_JournalStop:
            RzBitBtn_ststopClick();
            break;
        case HK_JournalPlay:
            RzBitBtn_stplayClick();
            break;
        default:
            break;
    }
}

void TForm_maintapmill::listjb(ui::ItemList& list, const std::string& folder) {
    list.clear();
    for (const std::string& name : scriptNames(exedir + folder)) list.addItem(name);
}

std::string TForm_maintapmill::dataPath(const std::string& folder, const std::string& name) const {
    return exedir + folder + name + ".ini";
}

void TForm_maintapmill::setStatus(int panel, const std::string& text) { StatusBar->setPanelText(panel, text); }

void TForm_maintapmill::onTimer(int timerId) {
    switch (timerId) {
        case ID_Timer_flash: Timer_flashTimer(); break;
        case ID_Timer_systime: Timer_systimeTimer(); break;
        default: break;
    }
}

void TForm_maintapmill::onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) {
    const bool click = event == ui::Event::Click;
    switch (controlId) {
        case ID_SpeedButton_mrec: if (click) SpeedButton_mrecClick(); break;
        case ID_Speedbutton_homa: if (click) Speedbutton_homaClick(); break;
        case ID_Speedbutton_time: if (click) Speedbutton_timeClick(); break;
        case ID_Speedbutton_set: if (click) Speedbutton_setClick(); break;
        case ID_Speedbutton_help: if (click) Speedbutton_helpClick(); break;
        case ID_Speedbutton_author: if (click) Speedbutton_authorClick(); break;
        case ID_button_strec: if (click) button_strecClick(); break;
        case ID_SpeedButton_play: if (click) SpeedButton_playClick(); break;
        case ID_SpeedButton_rec: if (click) SpeedButton_recClick(); break;
        case ID_SpeedButton_stop: if (click) SpeedButton_stopClick(); break;
        case ID_SpeedButton_pause: if (click) SpeedButton_pauseClick(); break;
        case ID_CheckBox_loop: if (click) CheckBox_loopClick(); break;
        case ID_SpeedButton_saverec: if (click) SpeedButton_saverecClick(); break;
        case ID_SpeedButton_readrec: if (click) SpeedButton_readrecClick(); break;
        case ID_SpeedButton_rename: if (click) SpeedButton_renameClick(); break;
        case ID_SpeedButton_delrec: if (click) SpeedButton_delrecClick(); break;
        case ID_SpeedButton_toscript: if (click) SpeedButton_toscriptClick(); break;
        case ID_SpeedButton1: if (click) SpeedButton1Click(); break;
        case ID_SpeedButton_readst: if (click) SpeedButton_readstClick(); break;
        case ID_SpeedButton_strename: if (click) SpeedButton_strenameClick(); break;
        case ID_SpeedButton_delst: if (click) SpeedButton_delstClick(); break;
        case ID_Speedbutton_saveset: if (click) Speedbutton_savesetClick(); break;
        case ID_Speedbutton_reacq: if (click) Speedbutton_reacqClick(); break;
        case ID_RzBitBtn2: if (click) RzBitBtn2Click(); break;
        case ID_RzBitBtn1: if (click) RzBitBtn1Click(); break;
        case ID_Label34: if (click) Label34Click(); break;
        case ID_Speedbutton_use: if (click) Speedbutton_useClick(); break;
        case ID_FlatSpeedButton1: if (click) FlatSpeedButton1Click(); break;
        case ID_Speedbutton_run: if (click) Speedbutton_runClick(); break;
        case ID_Speedbutton_stopa: if (click) Speedbutton_stopaClick(); break;
        case ID_SpeedButton_pausea: if (click) SpeedButton_pauseaClick(); break;
        case ID_CheckBox_loopa: if (click) CheckBox_loopaClick(); break;
        case ID_Edit_playta: playCountFieldEvent(*Edit_playta, event, args); break;
        case ID_RzBitBtn_strec: if (click) RzBitBtn_strecClick(); break;
        case ID_RzBitBtn_ststop: if (click) RzBitBtn_ststopClick(); break;
        case ID_RzBitBtn_stplay: if (click) RzBitBtn_stplayClick(); break;
        case ID_Speedbutton_stpause: if (click) Speedbutton_stpauseClick(); break;
        case ID_RzCheckBox_loop: if (click) RzCheckBox_loopClick(); break;
        case ID_Edit_stt: playCountFieldEvent(*Edit_stt, event, args); break;
        case ID_Edit_time: if (event == ui::Event::Change) Edit_timeChange(); break;
        case ID_Edit_playtb: playCountFieldEvent(*Edit_playtb, event, args); break;
        case ID_CheckBox_loopb: if (click) CheckBox_loopbClick(); break;
        case ID_Speedbutton_sutime: if (click) Speedbutton_sutimeClick(); break;
        case ID_Speedbutton_cancel: if (click) Speedbutton_cancelClick(); break;
        case ID_Speedbutton_plan: if (click) Speedbutton_planClick(); break;
        case ID_Edit_playt:
            if (event == ui::Event::KeyPress) Edit_playtKeyPress(*Edit_playt, args.key);
            if (event == ui::Event::Change) Edit_playtChange(*Edit_playt);
            break;
        default:
            if (controlKeyPanel->handles(controlId)) controlKeyPanel->onControlEvent(controlId, event);
            break;
    }
}

}  // namespace tapmill
