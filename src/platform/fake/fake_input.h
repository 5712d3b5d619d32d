#pragma once
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_pump.h"
#include "platform/input.h"

namespace tapmill::fake {

// One call into the desktop, as the fake recorded it, with the virtual time it happened at.
struct InputCall {
    enum Kind { SetCursor, Mouse, Key, Wheel, Character } kind;
    int a = 0;  // x, mouse flags, virtual key, wheel delta or UTF-16 unit
    int b = 0;  // y, unused, or key flags
    uint64_t time = 0;
    int scan = 0;  // scan code of a key event; not compared, tests that care read it
    bool operator==(const InputCall& o) const { return kind == o.kind && a == o.a && b == o.b; }
};

std::string describe(const InputCall& call);

// The system's side of injections: from the `refuseFrom`th injection on (the first is 1) it takes
// none of them, for the cause the platform names.
struct RefusingSystem {
    int refuseFrom = INT_MAX;
    platform::InputRefusal cause = platform::InputRefusal::Refused;
    int injections = 0;
    platform::InputRefusal inject() { return ++injections >= refuseFrom ? cause : platform::InputRefusal::None; }
};

class FakeInput : public platform::Input {
public:
    explicit FakeInput(FakePump& clock) : clock_(clock) {}

    void setCursorPos(int x, int y) override;
    platform::Point cursorPos() override { return userPointer ? userPointer() : cursor_; }
    platform::InputRefusal mouseEvent(uint32_t flags) override;
    platform::InputRefusal mouseWheel(int32_t delta) override;
    platform::InputRefusal keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) override;
    platform::InputRefusal typeCharacter(char16_t unit) override;
    // A scan code whose low byte differs from the key code (code + 1), with a high byte that a
    // caller passing it on as a byte cuts off.
    uint32_t mapVirtualKey(uint32_t code, uint32_t mapType) override { return 0x100 + code + 1; }

    const std::vector<InputCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    // Virtual milliseconds each call into the desktop takes.
    uint32_t callCostMs = 0;
    // Every injection asked for is in calls(), taken or not.
    RefusingSystem system;
    // A pointer the user moves: when set, the cursor is wherever it says, whatever was set before.
    std::function<platform::Point()> userPointer;

private:
    void note(const InputCall& call);

    FakePump& clock_;
    platform::Point cursor_;
    std::vector<InputCall> calls_;
};

}  // namespace tapmill::fake
