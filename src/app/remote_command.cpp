#include "app/remote_command.h"

#include "app/Unit_main.h"
#include "app/activity.h"

namespace tapmill {

namespace {

// What a command line can hand over: a command that plays, runs or stops.
bool handsOver(const ParsedCommandLine& parsed) {
    const CommandAction action = parsed.command.action;
    return parsed.fault.empty() && action != CommandAction::None && action != CommandAction::Usage;
}

}  // namespace

CommandReceiver::CommandReceiver(TForm_maintapmill& form, platform::InstanceHandOver& handOver)
    : form_(form), handOver_(handOver) {
    handOver_.listen(this, form_.window->nativeHandle());
}

CommandReceiver::~CommandReceiver() { handOver_.listen(nullptr, 0); }

platform::HandOverReply CommandReceiver::answer(const std::string& command) {
    const ParsedCommandLine parsed = parseCommandLine(splitArguments(command));
    if (!handsOver(parsed)) return platform::HandOverReply::Refused;
    if (parsed.command.action != CommandAction::Stop && busy()) {
        refuseForBusy();
        return platform::HandOverReply::Busy;
    }
    return platform::HandOverReply::Accepted;
}

void CommandReceiver::carryOut(const std::string& command) {
    const ParsedCommandLine parsed = parseCommandLine(splitArguments(command));
    if (!handsOver(parsed)) return;
    const Command& c = parsed.command;
    // Something else may have started between the answer and now, another command among them.
    if (c.action != CommandAction::Stop && busy()) return refuseForBusy();
    switch (c.action) {
        case CommandAction::Play: return play(c);
        case CommandAction::Journal: return playJournal(c);
        case CommandAction::Run: return run(c);
        case CommandAction::Stop: return stop();
        default: return;
    }
}

bool CommandReceiver::busy() const {
    return form_.recording || form_.playing || form_.running || form_.stjournal.recorder.recording ||
           form_.stjournal.player.playing;
}

void CommandReceiver::refuseForBusy() { form_.StatusBar->setPanelText(0, kCommandRefusedStatus); }

// As the timed start plays a recording: by its name, with its own count and speed; the panel's
// current recording and settings stay as they are.
void CommandReceiver::play(const Command& c) {
    form_.playrec(c.loop ? kEndlessPlayCount : c.count, c.speed, c.name);
}

// The journal player's endless mode is the panel's endless box: the command ticks it.
void CommandReceiver::playJournal(const Command& c) {
    if (c.loop) {
        form_.RzCheckBox_loop->setChecked(true);
        form_.RzCheckBox_loopClick();
    }
    // Loading makes it the current journal; the panel names it.
    form_.Label_stjbname->setText(c.name);
    form_.loadJournal(c.name);
    form_.playLoadedJournal(c.count, c.speed);
}

// A script runs as the enabled one: the command enables it, as "启用" would, and runs it.
void CommandReceiver::run(const Command& c) {
    form_.usename = c.name;
    form_.relistview(*form_.ListView_homa, form_.usename);
    form_.runhoma(c.loop ? kEndlessPlayCount : c.count, c.name, *form_.homajbRunList);
}

// What Ctrl+Q stops, and a journal playback as the system's cancel ends it.
void CommandReceiver::stop() {
    form_.SpeedButton_stopClick();
    form_.Speedbutton_stopaClick();
    form_.WMCancelJournal();
}

}  // namespace tapmill
