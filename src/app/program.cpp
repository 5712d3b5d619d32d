#include "app/program.h"

#include "app/Unit_main.h"

namespace tapmill {

int runProgram(platform::Platform& platform, ui::Factory& factory) {
    if (platform.desktop.windowOfClassExists("TForm_maintapmill")) {
        platform.dialogs.messageBox("该程序已经有一个在运行中！", platform::kRemindCaption, platform::MessageButtons::Ok,
                                    /*ownerless=*/true);
        // The running instance may sit in the tray: it comes back as a double click on its icon
        // brings it, a message every instance of the program already answers.
        platform.desktop.postToWindowOfClass("TForm_maintapmill", platform::kTrayCallbackMessage, platform::kTrayIconId,
                                             platform::kTrayLeftDoubleClick);
        return 0;
    }
    TForm_maintapmill form(platform, factory, platform.desktop.executablePath());
    form.window->show();
    return platform.pump.runMessageLoop();
}

}  // namespace tapmill
