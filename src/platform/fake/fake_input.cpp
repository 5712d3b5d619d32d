#include "platform/fake/fake_input.h"

namespace tapmill::fake {

std::string describe(const InputCall& call) {
    switch (call.kind) {
        case InputCall::SetCursor:
            return "cursor " + std::to_string(call.a) + "," + std::to_string(call.b);
        case InputCall::Mouse:
            return "mouse " + std::to_string(call.a);
        case InputCall::Key:
            return "key " + std::to_string(call.a) + (call.b & platform::kKeyEventKeyUp ? " up" : " down");
        case InputCall::Wheel:
            return "wheel " + std::to_string(call.a);
        case InputCall::Character:
            return "char " + std::to_string(call.a);
    }
    return "?";
}

void FakeInput::note(const InputCall& call) {
    calls_.push_back(call);
    clock_.advance(callCostMs);
}

void FakeInput::setCursorPos(int x, int y) {
    cursor_ = {x, y};
    note({InputCall::SetCursor, x, y, clock_.now()});
}

platform::InputRefusal FakeInput::mouseEvent(uint32_t flags) {
    note({InputCall::Mouse, static_cast<int>(flags), 0, clock_.now()});
    return system.inject();
}

platform::InputRefusal FakeInput::mouseWheel(int32_t delta) {
    note({InputCall::Wheel, delta, 0, clock_.now()});
    return system.inject();
}

platform::InputRefusal FakeInput::typeCharacter(char16_t unit) {
    note({InputCall::Character, static_cast<int>(unit), 0, clock_.now()});
    return system.inject();
}

platform::InputRefusal FakeInput::keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) {
    note({InputCall::Key, virtualKey, static_cast<int>(flags), clock_.now(), scanCode});
    return system.inject();
}

}  // namespace tapmill::fake
