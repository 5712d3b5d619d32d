#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace tapmill::fake {

struct ShownMessage {
    std::string text;
    std::string caption;
    platform::MessageButtons buttons;
    bool ownerless;
};

// Records every message box and answers from a queue the test fills; a question with no queued
// answer is answered No, a notice Ok. onShow runs while the box is "open", as a modal loop would.
// The console takes what is written to it when the test gives the program one.
class FakeDialogs : public platform::Dialogs {
public:
    platform::MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                       platform::MessageButtons buttons, bool ownerless) override;
    bool boxOpen() const override { return open_ > 0; }
    void messageBeep(uint32_t type) override { beeps.push_back(type); }
    bool writeToConsole(const std::string& text) override {
        if (hasConsole) console.push_back(text);
        return hasConsole;
    }

    void answerNext(platform::MessageAnswer a) { answers_.push_back(a); }

    std::vector<ShownMessage> shown;
    std::vector<uint32_t> beeps;
    std::function<void(const ShownMessage&)> onShow;
    bool hasConsole = false;
    std::vector<std::string> console;

private:
    int open_ = 0;
    std::deque<platform::MessageAnswer> answers_;
};

}  // namespace tapmill::fake
