// A playback or a script run the system refused input to ends with one message that says why, and
// the tray icon's tip keeps saying it for a user who watches only the icon.
#include "app/refused_input.h"

#include "app/Unit_main.h"

namespace tapmill {

std::string refusedInputMessage(platform::InputRefusal refusal) {
    switch (refusal) {
        case platform::InputRefusal::HigherRights:
            return "目标程序以管理员身份运行，Tapmill无法向它发送输入。请以管理员身份运行Tapmill。";
        case platform::InputRefusal::SecureDesktop:
            return "桌面已锁定或正显示安全桌面，Tapmill无法发送输入。请解锁桌面后再运行。";
        case platform::InputRefusal::Refused:
        case platform::InputRefusal::None:
            break;
    }
    return "系统拒绝了Tapmill发送的输入，已停止。";
}

void TForm_maintapmill::reportRefusedInput(platform::InputRefusal refusal, StartedBy by) {
    const std::string message = refusedInputMessage(refusal);
    refusedInputTip_ = "Tapmill — " + message;
    showActivity();
    tell(by, message);
}

}  // namespace tapmill
