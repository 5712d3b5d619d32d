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
class FakeDialogs : public platform::Dialogs {
public:
    platform::MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                       platform::MessageButtons buttons, bool ownerless) override;
    void messageBeep(uint32_t type) override { beeps.push_back(type); }

    void answerNext(platform::MessageAnswer a) { answers_.push_back(a); }

    std::vector<ShownMessage> shown;
    std::vector<uint32_t> beeps;
    std::function<void(const ShownMessage&)> onShow;

private:
    std::deque<platform::MessageAnswer> answers_;
};

}  // namespace tapmill::fake
