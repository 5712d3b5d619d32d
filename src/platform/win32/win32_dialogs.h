#pragma once
#include "platform/dialogs.h"

namespace tapmill::win32 {

class Win32Dialogs : public platform::Dialogs {
public:
    platform::MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                       platform::MessageButtons buttons, bool ownerless) override;
    void messageBeep(uint32_t type) override;
};

}  // namespace tapmill::win32
