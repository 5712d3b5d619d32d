#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/activity.h"
#include "capture/capture_fields.h"
#include "capture/control_hotkeys.h"
#include "capture/hook_messages.h"
#include "capture/key_reporting.h"
#include "common/counts.h"
#include "common/held_inputs.h"
#include "journal/journal_state.h"
#include "plain/open_recording.h"
#include "plain/recording_conversion.h"
#include "plain/window_noting.h"
#include "app/window_follow_choice.h"
#include "platform/platform.h"
#include "plain/script_library.h"
#include "scripts/list_box_run_list.h"
#include "triggers/hotkey_table.h"
#include "ui/factory.h"

namespace tapmill {

// Identifiers of the main window's controls and timers.
enum MainControlId : int {
    ID_RzPanel1 = 100,
    ID_Panel_statusbar,
    ID_StatusBar,
    ID_SpeedButton_mrec,
    ID_Speedbutton_homa,
    ID_Speedbutton_time,
    ID_Speedbutton_set,
    ID_Speedbutton_help,
    ID_Speedbutton_author,
    ID_button_strec,
    ID_Panel_rec,
    ID_Panel_homa,
    ID_Panel_time,
    ID_Panel_set,
    ID_Panel_help,
    ID_Panel_author,
    ID_Panel_strec,
    ID_panel_logo,
    ID_Header,  // static captions that carry no behaviour share this id
    ID_SpeedButton_rec,
    ID_SpeedButton_stop,
    ID_SpeedButton_play,
    ID_SpeedButton_pause,
    ID_Edit_playt,
    ID_CheckBox_loop,
    ID_RzTrackBar_speed,
    ID_Label_playfra,
    ID_Label_recfra,
    ID_Label_recjbname,
    ID_ComboBox_recjbname,
    ID_Edit_recjbname,
    ID_Edit_stjbname,
    ID_SpeedButton1,
    ID_SpeedButton_readst,
    ID_SpeedButton_strename,
    ID_SpeedButton_delst,
    ID_Label_recstate,
    ID_SpeedButton_saverec,
    ID_SpeedButton_readrec,
    ID_SpeedButton_rename,
    ID_SpeedButton_delrec,
    ID_Label_stjbname,
    ID_label_stfra,
    ID_ComboBox_stjb,
    ID_ListBox_plan,
    ID_CheckBox_lzsy,
    ID_CheckBox_bfsy,
    ID_CheckBox_autorun,
    ID_Speedbutton_saveset,
    ID_Speedbutton_reacq,
    ID_RzBitBtn2,
    ID_Memo1,
    ID_RzBitBtn1,
    ID_Label34,
    ID_SpeedButton_toscript,
    ID_Timer_flash,
    ID_Timer_systime,
    ID_CheckBox_follow,
};

// Identifiers of the controls of Panel_homa, the hand-written scripts.
enum HomaControlId : int {
    ID_ListView_homa = 600,
    ID_Speedbutton_run,
    ID_Speedbutton_stopa,
    ID_SpeedButton_pausea,
    ID_FlatSpeedButton1,
    ID_Speedbutton_use,
    ID_Edit_playta,
    ID_CheckBox_loopa,
    ID_ProgressBar,
    ID_ListBox_homajb,
};

// Identifiers of the controls of Panel_strec, the journal recorder and player.
enum JournalControlId : int {
    ID_RzBitBtn_strec = 700,
    ID_RzBitBtn_ststop,
    ID_RzBitBtn_stplay,
    ID_Speedbutton_stpause,
    ID_Edit_stt,
    ID_RzTrackBar_st,
    ID_RzCheckBox_loop,
    ID_label_ststate,
    ID_Label_strec,
};

// Identifiers of the controls of Panel_time, the clock and the timed start.
enum TimeControlId : int {
    ID_Panel12 = 800,
    ID_Edit_time,
    ID_DateTimePicker_date,
    ID_DateTimePicker_time,
    ID_RadioButton_recjb,
    ID_ComboBox_recjb,
    ID_RadioButton_homajb,
    ID_ComboBox_homajb,
    ID_RzTrackBar_playa,
    ID_Edit_playtb,
    ID_CheckBox_loopb,
    ID_Speedbutton_sutime,
    ID_Speedbutton_cancel,
    ID_Speedbutton_plan,
};

// The main window: the program's only permanent window, owner of the shared state, the panels
// and their handlers, the timers and the control hot keys.
class ControlKeyPanel;
class PlaySettings;
class GlobalKeysNotice;
class StateIndicator;

// Who hears what a start has to say: the user at the screen in a message box; a command line, which
// nobody may be watching (a scheduled job), in the status bar, so that nothing waits for a click.
enum class StartedBy { User, Command };

class TForm_maintapmill : public ui::WindowEvents {
public:
    TForm_maintapmill(platform::Platform& platform, ui::Factory& factory, const std::string& exePath);
    ~TForm_maintapmill() override;
    TForm_maintapmill(const TForm_maintapmill&) = delete;
    TForm_maintapmill& operator=(const TForm_maintapmill&) = delete;

    // ---- shared state ----
    std::string exedir;  // program folder, ending in a path separator
    std::string recname, stname, usename, editname;
    bool editrun = false;
    std::array<uint32_t, kHighestKeyNumber + 1> keymsg{};  // index 1..254: message registered for that key number
    uint32_t keyTransitionMsg = 0;  // the keyboard library's message for a repeat or a release
    uint32_t keyboardWindowMsg = 0;  // the keyboard library's message naming the window of the next key
    bool recording = false, recpause = false;
    bool playing = false, playpause = false;
    bool running = false, runpause = false;
    // The lines the innermost script run executes (the run list's or the editor's), while one runs.
    const scripts::RunList* runningLines = nullptr;
    bool capture_kb = false, capture_hot = false, capture_kc = false;
    bool timeset = false, planon = false;
    int32_t playFrame = 0;  // frame counter of playback, shared by nested playbacks
    // The number of the frame being recorded, shared by nested recordings; hook messages go into it.
    int32_t recFrame = 0;
    // The key fields and point list other windows lend while they capture input, and the keyboard
    // library's reporting that they and the recorder hold.
    CaptureFields captureFields;
    KeyReporting keyReporting;
    // The control hot keys' combinations in force, and the user's own hot keys (hotkey.ini).
    ControlKeys controlKeys;
    HotKeyTable userHotKeys;

    // ---- window and controls ----
    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::Panel> RzPanel1, Panel_statusbar;
    std::unique_ptr<ui::StatusBar> StatusBar;
    std::unique_ptr<ui::Button> SpeedButton_mrec, Speedbutton_homa, Speedbutton_time, Speedbutton_set,
        Speedbutton_help, Speedbutton_author, button_strec;
    std::unique_ptr<ui::Panel> Panel_rec, Panel_homa, Panel_time, Panel_set, Panel_help, Panel_author, Panel_strec,
        panel_logo;

    // Panel_rec
    std::unique_ptr<ui::Button> SpeedButton_rec, SpeedButton_stop, SpeedButton_play, SpeedButton_pause;
    std::unique_ptr<ui::Edit> Edit_playt;
    std::unique_ptr<ui::CheckBox> CheckBox_loop;
    std::unique_ptr<ui::TrackBar> RzTrackBar_speed;
    std::unique_ptr<ui::Label> Label_playfra, Label_recfra, Label_recjbname;
    std::unique_ptr<ui::ComboBox> ComboBox_recjbname;
    // Panel_strec: the journal library
    std::unique_ptr<ui::Edit> Edit_stjbname;
    std::unique_ptr<ui::Button> SpeedButton1, SpeedButton_readst, SpeedButton_strename, SpeedButton_delst;
    // Panel_rec: the plain recording library
    std::unique_ptr<ui::Edit> Edit_recjbname;
    std::unique_ptr<ui::Label> Label_recstate;
    std::unique_ptr<ui::Button> SpeedButton_saverec, SpeedButton_readrec, SpeedButton_rename, SpeedButton_delrec,
        SpeedButton_toscript;
    // Panel_strec
    std::unique_ptr<ui::Label> Label_stjbname, label_stfra;
    std::unique_ptr<ui::ComboBox> ComboBox_stjb;
    std::unique_ptr<ui::Label> label_ststate, Label_strec, Label_stkeys;
    std::unique_ptr<ui::Button> RzBitBtn_strec, RzBitBtn_ststop, RzBitBtn_stplay, Speedbutton_stpause;
    std::unique_ptr<ui::Edit> Edit_stt;
    std::unique_ptr<ui::TrackBar> RzTrackBar_st;
    std::unique_ptr<ui::CheckBox> RzCheckBox_loop;
    // The current journal (its file and table), the journal recorder and player.
    journal::JournalState stjournal;
    // Panel_time: the clock, the timed start's settings (all in Panel12) and the plan's task names
    std::unique_ptr<ui::Panel> Panel12;
    std::unique_ptr<ui::Edit> Edit_time;
    std::unique_ptr<ui::DateTimePicker> DateTimePicker_date, DateTimePicker_time;
    std::unique_ptr<ui::RadioButton> RadioButton_recjb, RadioButton_homajb;
    std::unique_ptr<ui::ComboBox> ComboBox_recjb, ComboBox_homajb;
    std::unique_ptr<ui::TrackBar> RzTrackBar_playa;
    std::unique_ptr<ui::Edit> Edit_playtb;
    std::unique_ptr<ui::CheckBox> CheckBox_loopb;
    std::unique_ptr<ui::Button> Speedbutton_sutime, Speedbutton_cancel, Speedbutton_plan;
    std::unique_ptr<ui::ListBox> ListBox_plan;
    // Panel_set
    std::unique_ptr<ui::CheckBox> CheckBox_lzsy, CheckBox_bfsy, CheckBox_autorun;
    std::unique_ptr<ui::Button> Speedbutton_saveset, Speedbutton_reacq, RzBitBtn2;
    std::unique_ptr<ControlKeyPanel> controlKeyPanel;
    // Panel_help and Panel_author
    std::unique_ptr<ui::Memo> Memo1;
    std::unique_ptr<ui::Button> RzBitBtn1;
    std::unique_ptr<ui::Label> Label34;
    // Panel_homa
    std::unique_ptr<ui::ListView> ListView_homa;
    std::unique_ptr<ui::Button> Speedbutton_run, Speedbutton_stopa, SpeedButton_pausea, FlatSpeedButton1,
        Speedbutton_use;
    std::unique_ptr<ui::Edit> Edit_playta;
    std::unique_ptr<ui::CheckBox> CheckBox_loopa;
    std::unique_ptr<ui::ProgressBar> ProgressBar;
    std::unique_ptr<ui::ListBox> ListBox_homajb;
    // The run list of every run started outside the editor, shown by ListBox_homajb.
    std::unique_ptr<scripts::ListBoxRunList> homajbRunList;

    std::unique_ptr<ui::Timer> Timer_flash, Timer_systime;

    // ---- life cycle ----
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    // Log-off or shut-down: ends the program as the close would, without asking.
    void WMEndSession();

    // ---- navigation ----
    void SpeedButton_mrecClick();
    void Speedbutton_homaClick();
    void Speedbutton_timeClick();
    void Speedbutton_setClick();
    void Speedbutton_helpClick();
    void Speedbutton_authorClick();
    void button_strecClick();

    // ---- control hot keys ----
    void OnWMHotKey(int id);
    // Ctrl+1: the pointer's position at the top of the editor's point list.
    void capturePoint();
    // A hot key of the user's table: its script starts, or what plays or runs stops.
    void userHotKeyPressed(const HotKeyEntry& entry);
    // Something records, plays or runs, or a modal window is open, whose loop a start from outside
    // (a command, a user hot key) would run inside: such a start is refused.
    bool busyForAStart() const;
    // A message box or a modal window of the program is open, hidden or not.
    bool modalLoopOpen() const;
    // The notice of the global keys while this run has one, for the tests that read it.
    const GlobalKeysNotice* keysNotice() const { return keysNotice_.get(); }
    // Panel 0 says why a command was refused until what the program does changes.
    void showCommandRefusal(const std::string& refusal);

    // ---- plain recorder (Panel_rec) ----
    void SpeedButton_recClick();
    // The recording loop: returns when the recording has ended.
    void startrec();

    // ---- plain playback (Panel_rec) ----
    void SpeedButton_playClick();
    void SpeedButton_stopClick();
    void SpeedButton_pauseClick();
    void CheckBox_loopClick();
    // Shared by every pass-count field.
    void Edit_playtKeyPress(ui::Edit& sender, char& key);
    void Edit_playtChange(ui::Edit& sender);
    void playrec(int32_t count, int speed, const std::string& name, StartedBy by = StartedBy::User);
    // Play, Record and 转为脚本 are usable only while none of them is under way.
    void enableRecActions(bool enabled);

    // ---- plain recording library (Panel_rec) ----
    void SpeedButton_saverecClick();
    void SpeedButton_readrecClick();
    void SpeedButton_renameClick();
    void SpeedButton_delrecClick();
    // "转为脚本": the current recording becomes a hand-written script of its name.
    void SpeedButton_toscriptClick();

    // ---- journal library (Panel_strec) ----
    void SpeedButton1Click();
    void SpeedButton_readstClick();
    void SpeedButton_strenameClick();
    void SpeedButton_delstClick();

    // Fills a list with the names of the scripts in a folder of the program folder.
    void listjb(ui::ItemList& list, const std::string& folder);

    // ---- hand-written scripts (Panel_homa) ----
    // Runs a script `count` passes (without end for kEndlessPlayCount) from `lines`, which it first
    // fills from the script's file unless the editor runs its own lines (editrun, with lines other
    // than homajbRunList). A caller that names its own script (`ownScript`) needs no enabled one.
    void runhoma(int32_t count, const std::string& name, scripts::RunList& lines, bool ownScript = false,
                 StartedBy by = StartedBy::User);
    // Fills a script table with the scripts of "jb_homa\", marking the enabled one.
    void relistview(ui::ListView& table, const std::string& enabledName);
    void Speedbutton_runClick();
    void Speedbutton_stopaClick();
    void SpeedButton_pauseaClick();
    // What the plain and the script runs hold is let go while their pause flags are set and pressed
    // again once cleared: to be called wherever those flags may have changed.
    void followPauses();
    void FlatSpeedButton1Click();
    void Speedbutton_useClick();
    // Makes the named script the enabled one, as "启用" does.
    void useScript(const std::string& name);
    void CheckBox_loopaClick();
    // Routes a pass-count field's typing and changes to the shared handlers.
    void playCountFieldEvent(ui::Edit& field, ui::Event event, ui::EventArgs& args);

    // ---- options, help and author panels ----
    void Speedbutton_savesetClick();
    // "热键设置": a new hot-key window, shown modally.
    void RzBitBtn2Click();
    void Speedbutton_reacqClick();
    void createlnk();
    void RzBitBtn1Click();
    void Label34Click();

    // ---- clock, timed start and plan tasks (Panel_time) ----
    void Timer_systimeTimer();
    // The tick: runs once per second of the clock, on each change of Edit_time.
    void Edit_timeChange();
    void Speedbutton_sutimeClick();
    void Speedbutton_cancelClick();
    void CheckBox_loopbClick();
    // "计划任务": a new plan window, shown modally.
    void Speedbutton_planClick();

    // ---- notification-area icon ----
    void Timer_flashTimer();
    // The icon's callback message, with the mouse message it carries.
    void WMTrayIcon(uint32_t mouseMessage);
    void N1Click();
    void N2Click();
    void ApplicationEvents1Minimize();

    // ---- journal recorder and player (Panel_strec) ----
    void RzBitBtn_strecClick();
    void RzBitBtn_ststopClick();
    void RzBitBtn_stplayClick();
    void Speedbutton_stpauseClick();
    void RzCheckBox_loopClick();
    // Makes the named journal current and loads it into the journal table.
    void loadJournal(const std::string& name);
    // Plays the loaded journal with these passes, speed and endless mode, as the play button does.
    void playLoadedJournal(int32_t passes, int speed, bool endless);
    // Plays the named journal `count` passes (without end for kEndlessPlayCount) at `speed`, as
    // the play button plays the panel's: it becomes the current journal, which the panel names.
    // The panel's count, speed and endless box stay as the user left them.
    void playst(int32_t count, int speed, const std::string& name);
    // The system took a journal hook away (WM_CANCELJOURNAL).
    void WMCancelJournal();
    // Ends a journal playback, as the stop key does; a journal recording goes on.
    void stopJournalPlayback();
    // Lets a paused journal recording or playback go on, so no call stays parked in the pause.
    void clearJournalPause();

    // ---- ui::WindowEvents ----
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) override;
    void onShow() override { FormShow(); }
    bool onCloseQuery() override { return FormCloseQuery(); }
    void onClose() override { FormClose(); }
    void onEndSession() override { WMEndSession(); }
    void onHotKey(int hotKeyId) override { OnWMHotKey(hotKeyId); }
    void onMinimize() override { ApplicationEvents1Minimize(); }
    void onTimer(int timerId) override;
    // The hook libraries' mouse and key messages.
    bool onMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // The plain panel's "跟随窗口" box.
    WindowFollowChoice& windowFollowChoice() { return *windowFollowing_; }

private:
    // What the close and the end of the session share: hot keys, loops, hooks and the icon go.
    void endEverything();
    void createControls();
    void createRecPanel();
    void createJournalPanel();
    void createTimePanel();
    // The timed start and the plan tasks (src/triggers/time_panel.cpp).
    bool timedStartDue();
    void fireTimedStart();
    void lockTimedStartSettings(bool locked);
    // While a timed start is armed, the second it fires at ("定时启动：2026-12-08 08:30:00"); else empty.
    std::string timedStartNote() const;
    void startPlanTask(const std::string& section);
    void createOptionsPanel();
    void createControlKeySection();
    // The help text and the journal panel name the control hot keys in force.
    void showControlKeys();
    void createOtherPanels();
    void createHomaPanel();
    // The editor window plugs in here; it edits the script named by editname.
    void showScriptEditor();
    // A static caption that carries no behaviour; the window keeps it alive.
    void addCaption(ui::Control& parent, ui::Rect rect, const std::string& text);
    // "慢", "中" and "快" under a speed track bar.
    void addSpeedScale(ui::Control& parent, ui::Rect trackBar);
    void registerControlHotKeys();
    void showOnly(ui::Panel& panel);
    void setStatus(int panel, const std::string& text);
    std::string dataPath(const std::string& folder, const std::string& name) const;
    void addTrayIcon();
    void removeTrayIcon();
    void showTrayPicture(platform::TrayPicture picture);
    // What the program is doing, in the status bar and in the tray icon's tip.
    Activity currentActivity() const;
    void showActivity();
    ActivityStatus activityStatus_;
    // A playback or script run ended because the system took none of its input: says why, in a
    // message and in the tray icon's tip. Call it once the run is over.
    void reportRefusedInput(platform::InputRefusal refusal, StartedBy by = StartedBy::User);
    // A reminder of a start, told as `by` hears it; once the start is over, so the status stays.
    void tell(StartedBy by, const std::string& text);
    // The tip of the last refused run, shown while the program is idle, until the next activity.
    std::string refusedInputTip_;
    // The icon's own messages; true when the message was one of them.
    bool routeTrayMessage(uint32_t message, intptr_t lParam);
    platform::TrayPicture trayPicture_ = platform::TrayPicture::Normal;
    // Whether the flashing icon showed its alternate picture at the last tick.
    bool recordingFlashPhase_ = false;
    bool playbackFlashPhase_ = false;
    void createRecLibrary();
    void createJournalLibrary();
    void createHelpAndAuthorPanels();
    void readOptions(const std::string& config);
    // The desktop shortcut is made once per user, on the first start.
    void createShortcutOnFirstStart();
    // The notice that the control hot keys work in every program, until the user asks for it no more,
    // and at the first show after the creation refused some of config.ini's.
    void offerGlobalKeysNotice(const std::string& config);
    void keepResolvedControlKeys();
    // Plain recorder and hook message routing.
    void recordFrames();
    void endRecording();
    void stopRecordingAfterWriteFailure();
    void routeKey(int number, uint32_t modifiers);
    void routeKeyTransition(int number, uint32_t flags);
    // Whether a control hot key is the stop of something going on: it stops it even while a field
    // captures keys.
    bool stopsWhatRuns(int id) const;
    // A key pressed while a run holds modifiers down: the stop or pause key it is without them.
    bool stopOrPausePastHeldModifiers(int number, uint32_t modifiers);
    // The press of a control hot key's modifier went into the recording before the hot key came:
    // it is no key of the user's, and would replay as a stray tap.
    void leaveModifierOutOfRecording(uint32_t modifiers);
    void recordFrameEvent(const FrameEvent& event);
    // A button or the wheel, with the hook message's parameters that may say where it happened.
    void recordButton(const FrameEvent& event, uintptr_t wParam, intptr_t lParam);
    void recordKeyPress(const FrameEvent& event);

    platform::Platform& platform_;
    ui::Factory& factory_;
    std::string exePath_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    std::unique_ptr<ScriptLibrary> recLibrary_, stLibrary_;
    OpenRecording openRec_;
    // What the running playbacks and script runs hold down.
    HeldInputs heldInputs_;
    WindowNoting windowNoting_{platform_.topWindows};
    std::unique_ptr<WindowFollowChoice> windowFollowing_;
    RecordingConversion recConversion_{platform_, exedir};
    std::unique_ptr<PlaySettings> playSettings_;
    // Made at the first show of the run that offers it; later shows leave it be.
    std::unique_ptr<GlobalKeysNotice> keysNotice_;
    // What the creation refused of the control hot keys of config.ini, for the first show's notice
    // to tell: a message box would hold up a start that carries out a command.
    std::string controlKeyConflicts_;
    // The indicator of what goes on, over every window, and its corner on the options panel.
    std::unique_ptr<StateIndicator> stateIndicator_;
};

}  // namespace tapmill
