#pragma once
#include <cstdint>
#include <string>

namespace tapmill::platform {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Modal message boxes and the system beep. Texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Owned by the active window of the program, or by none when ownerless is set.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, bool ownerless = false) = 0;
    virtual void messageBeep(uint32_t type) = 0;
};

// The caption of the program's own refusals and questions.
inline const char* const kRemindCaption = "提醒！";

}  // namespace tapmill::platform
