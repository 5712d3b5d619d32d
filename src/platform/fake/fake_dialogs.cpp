#include "platform/fake/fake_dialogs.h"

#include <memory>

namespace tapmill::fake {

platform::MessageAnswer FakeDialogs::messageBox(const std::string& text, const std::string& caption,
                                                platform::MessageButtons buttons, bool ownerless) {
    shown.push_back({text, caption, buttons, ownerless});
    if (onShow) {
        // Open for as long as onShow runs, also when it throws.
        std::unique_ptr<int, void (*)(int*)> open(&++open_, [](int* n) { --*n; });
        onShow(shown.back());
    }
    if (!answers_.empty()) {
        platform::MessageAnswer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    return buttons == platform::MessageButtons::Ok ? platform::MessageAnswer::Ok : platform::MessageAnswer::No;
}

}  // namespace tapmill::fake
