#pragma once
#include "platform/clock.h"
#include "platform/fake/fake_pump.h"

namespace tapmill::fake {

// Local time that runs with the fake pump's virtual clock from a start the test chooses.
class FakeLocalClock : public platform::LocalClock {
public:
    explicit FakeLocalClock(const FakePump& pump) : pump_(pump), startTick_(pump.now()) {}
    LocalTime now() override { return addMilliseconds(start, pump_.now() - startTick_); }
    // Makes `t` the local time at the pump's current virtual moment.
    void set(const LocalTime& t) {
        start = t;
        startTick_ = pump_.now();
    }

    LocalTime start{2026, 12, 7, 9, 0, 0};

private:
    const FakePump& pump_;
    uint64_t startTick_;
};

}  // namespace tapmill::fake
