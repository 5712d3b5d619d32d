#include "app/program.h"

#include "app/Unit_main.h"
#include "app/command_line.h"
#include "app/remote_command.h"

namespace tapmill {

namespace {

const char* const kMainWindowClass = "TForm_maintapmill";
// A running instance answers between two steps of whatever it is doing, well within this.
constexpr uint32_t kHandOverTimeoutMs = 5000;
const char* const kNoAnswer = "正在运行的Tapmill没有回应，命令没有执行。";
const char* const kUsageCaption = "Tapmill 命令行";

int refuseSecondInstance(platform::Platform& platform) {
    platform.dialogs.messageBox("该程序已经有一个在运行中！", platform::kRemindCaption, platform::MessageButtons::Ok,
                                /*ownerless=*/true);
    // The running instance may sit in the tray: it comes back as a double click on its icon
    // brings it, a message every instance of the program already answers.
    platform.desktop.postToWindowOfClass(kMainWindowClass, platform::kTrayCallbackMessage, platform::kTrayIconId,
                                         platform::kTrayLeftDoubleClick);
    return kExitDone;
}

// What went wrong with a command, told where nobody has to answer it: the console the program
// was started from. Only a start without one gets a box.
void tellFailure(platform::Platform& platform, const std::string& text) {
    if (!platform.dialogs.writeToConsole(text))
        platform.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok, /*ownerless=*/true);
}

int handOver(platform::Platform& platform, const std::vector<std::string>& args) {
    switch (platform.handOver.send(kMainWindowClass, joinArguments(args), kHandOverTimeoutMs)) {
        case platform::HandOverReply::Accepted:
            return kExitDone;
        case platform::HandOverReply::Busy:
        case platform::HandOverReply::Refused:
            // The running instance says why in its status bar.
            return kExitRefused;
        default:
            tellFailure(platform, kNoAnswer);
            return kExitRefused;
    }
}

}  // namespace

int runProgram(platform::Platform& platform, ui::Factory& factory, const std::vector<std::string>& args) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    if (!parsed.fault.empty()) {
        tellFailure(platform, parsed.fault + "\n\n" + commandLineUsage());
        return kExitBadArguments;
    }
    if (parsed.command.action == CommandAction::Usage) {
        platform.dialogs.messageBox(commandLineUsage(), kUsageCaption, platform::MessageButtons::Ok,
                                    /*ownerless=*/true);
        return kExitDone;
    }
    const bool command = parsed.command.action != CommandAction::None;
    if (platform.desktop.windowOfClassExists(kMainWindowClass))
        return command ? handOver(platform, args) : refuseSecondInstance(platform);

    TForm_maintapmill form(platform, factory, platform.desktop.executablePath());
    CommandReceiver receiver(form, platform.handOver);
    form.window->show();
    if (command) receiver.takeOwnCommand(args);
    const int loopExit = platform.pump.runMessageLoop();
    return receiver.ownCommandRefused() ? kExitRefused : loopExit;
}

}  // namespace tapmill
