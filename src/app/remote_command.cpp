#include "app/remote_command.h"

#include <utility>

#include "app/Unit_main.h"
#include "app/activity.h"
#include "platform/files.h"

namespace tapmill {

namespace {

// What a command line can hand over: a command that plays, runs or stops.
bool handsOver(const ParsedCommandLine& parsed) {
    const CommandAction action = parsed.command.action;
    return parsed.fault.empty() && action != CommandAction::None && action != CommandAction::Usage;
}

// The library folder of the panel whose scripts the command plays or runs.
const char* folderOf(CommandAction action) {
    switch (action) {
        case CommandAction::Play: return "jb_rec\\";
        case CommandAction::Journal: return "jb_strec\\";
        default: return "jb_homa\\";
    }
}

// Why a command cannot be carried out now, as the sender and the status bar hear it.
struct Refusal {
    platform::HandOverReply reply = platform::HandOverReply::Accepted;
    std::string status;
};

Refusal refusalOf(const TForm_maintapmill& form, const Command& c) {
    if (c.action == CommandAction::Stop) return {};
    if (form.busyForAStart()) return {platform::HandOverReply::Busy, kCommandRefusedStatus};
    const std::string path = form.exedir + folderOf(c.action) + c.name + ".ini";
    // A folder of that name is no script either.
    if (!files::exists(path) || files::isDirectory(path))
        return {platform::HandOverReply::Refused, commandNameMissingStatus(c.name)};
    return {};
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
    const Refusal refusal = refusalOf(form_, parsed.command);
    if (!refusal.status.empty()) form_.showCommandRefusal(refusal.status);
    return refusal.reply;
}

void CommandReceiver::takeOwnCommand(const std::vector<std::string>& args) {
    ownCommandPending_ = true;
    handOver_.post(joinArguments(args));
}

void CommandReceiver::carryOut(const std::string& command) {
    // Posted before the message loop began, the program's own command comes first.
    const bool own = std::exchange(ownCommandPending_, false);
    const ParsedCommandLine parsed = parseCommandLine(splitArguments(command));
    if (!handsOver(parsed)) return;
    const Command& c = parsed.command;
    // Something may have changed since the answer: another command started, a file went.
    if (const Refusal refusal = refusalOf(form_, c); !refusal.status.empty()) {
        form_.showCommandRefusal(refusal.status);
        ownCommandRefused_ = ownCommandRefused_ || own;
        return;
    }
    switch (c.action) {
        case CommandAction::Play: return play(c);
        case CommandAction::Journal: return playJournal(c);
        case CommandAction::Run: return run(c);
        case CommandAction::Stop: return stop();
        default: return;
    }
}

// As the timed start plays a recording: by its name, with its own count and speed; the panel's
// current recording and settings stay as they are.
void CommandReceiver::play(const Command& c) {
    form_.playrec(c.loop ? kEndlessPlayCount : c.count, c.speed, c.name, StartedBy::Command);
}

void CommandReceiver::playJournal(const Command& c) {
    form_.playst(c.loop ? kEndlessPlayCount : c.count, c.speed, c.name);
}

// A script runs as the enabled one: the command enables it, as "启用" would, and runs it.
void CommandReceiver::run(const Command& c) {
    form_.useScript(c.name);
    form_.runhoma(c.loop ? kEndlessPlayCount : c.count, c.name, *form_.homajbRunList, false, StartedBy::Command);
}

// What Ctrl+Q stops, and a journal playback as the system's cancel ends it.
void CommandReceiver::stop() {
    form_.SpeedButton_stopClick();
    form_.Speedbutton_stopaClick();
    form_.WMCancelJournal();
}

}  // namespace tapmill
