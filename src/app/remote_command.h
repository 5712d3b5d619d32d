#pragma once
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/instance_handover.h"

namespace tapmill {

class TForm_maintapmill;

// Carries out the commands of the command line in the main window: the program's own, and those
// a later start hands over. A command plays or runs as the panel's button does, with its own
// count, speed and loop. A command waits for nobody: while the window records, plays or runs, or
// shows a modal window, every command but /stop is refused, and so is a name its folder does not
// hold, each with a status instead of a message box.
class CommandReceiver : public platform::HandOverReceiver {
public:
    // Listens on the platform's hand-over for as long as it lives.
    CommandReceiver(TForm_maintapmill& form, platform::InstanceHandOver& handOver);
    ~CommandReceiver() override;
    CommandReceiver(const CommandReceiver&) = delete;
    CommandReceiver& operator=(const CommandReceiver&) = delete;

    platform::HandOverReply answer(const std::string& command) override;
    void carryOut(const std::string& command) override;

    // The command of the program's own command line, carried out from the message loop once the
    // window is up, as a handed-over command is; whether it was refused.
    void takeOwnCommand(const std::vector<std::string>& args);
    bool ownCommandRefused() const { return ownCommandRefused_; }

private:
    void play(const Command& command);
    void playJournal(const Command& command);
    void run(const Command& command);
    void stop();

    TForm_maintapmill& form_;
    platform::InstanceHandOver& handOver_;
    bool ownCommandPending_ = false;
    bool ownCommandRefused_ = false;
};

}  // namespace tapmill
