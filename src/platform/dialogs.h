#pragma once
#include <cstdint>
#include <string>

namespace tapmill::platform {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// What the program tells its user: modal message boxes, the system beep, and the console it was
// started from. Texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Owned by the active window of the program, or by none when ownerless is set.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, bool ownerless = false) = 0;
    // Whether a message box of the program is open: its modal loop runs below whoever asks.
    virtual bool boxOpen() const = 0;
    virtual void messageBeep(uint32_t type) = 0;
    // Writes the text to the console or the redirected output the program was started with;
    // false when it has neither (a start from the desktop, a shortcut or the Task Scheduler).
    virtual bool writeToConsole(const std::string& text) = 0;
};

// The caption of the program's own refusals and questions.
inline const char* const kRemindCaption = "提醒！";

}  // namespace tapmill::platform
