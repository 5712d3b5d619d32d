#pragma once
#include <string>

#include "app/command_line.h"
#include "platform/instance_handover.h"

namespace tapmill {

class TForm_maintapmill;

// Carries out the commands of the command line in the main window: the program's own, and those
// a later start hands over. A command plays or runs as the panel's button does, with the messages
// of the panel; while the window records, plays or runs, every command but /stop is refused.
class CommandReceiver : public platform::HandOverReceiver {
public:
    // Listens on the platform's hand-over for as long as it lives.
    CommandReceiver(TForm_maintapmill& form, platform::InstanceHandOver& handOver);
    ~CommandReceiver() override;
    CommandReceiver(const CommandReceiver&) = delete;
    CommandReceiver& operator=(const CommandReceiver&) = delete;

    platform::HandOverReply answer(const std::string& command) override;
    void carryOut(const std::string& command) override;

private:
    bool busy() const;
    void refuseForBusy();
    void play(const Command& command);
    void playJournal(const Command& command);
    void run(const Command& command);
    void stop();

    TForm_maintapmill& form_;
    platform::InstanceHandOver& handOver_;
};

}  // namespace tapmill
