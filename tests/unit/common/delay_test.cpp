#include "common/delay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/fake/fake_pump.h"

namespace tapmill {
namespace {

using fake::FakePump;
using ::testing::ElementsAre;

TEST(DelayTest, ReturnsOnceTheWholeWaitHasPassed) {
    for (int ms : {1, 20, 35, 1000}) {
        FakePump pump;
        const uint64_t before = pump.now();
        Delay(pump, ms);
        EXPECT_EQ(pump.now() - before, static_cast<uint64_t>(ms)) << "Delay(" << ms << ")";
    }
}

TEST(DelayTest, AnEventDuringTheWaitDoesNotCutItShort) {
    FakePump pump;
    const uint64_t start = pump.now();
    bool ran = false;
    pump.at(start + 5, [&] { ran = true; });
    Delay(pump, 50);
    EXPECT_TRUE(ran);
    EXPECT_EQ(pump.now(), start + 50);
}

TEST(DelayTest, DispatchesEventsInTimeOrderAndSameTimeEventsInSchedulingOrder) {
    FakePump pump;
    const uint64_t start = pump.now();
    std::vector<std::string> log;
    auto note = [&](const char* name) {
        return [&log, &pump, start, name] { log.push_back(std::string(name) + "@" + std::to_string(pump.now() - start)); };
    };
    pump.at(start + 30, note("late"));
    pump.at(start + 10, note("first"));
    pump.at(start + 10, note("second"));
    pump.at(start + 20, note("middle"));
    pump.at(start + 10, note("third"));
    pump.at(start + 200, note("after the wait"));

    Delay(pump, 100);

    EXPECT_THAT(log, ElementsAre("first@10", "second@10", "third@10", "middle@20", "late@30"));
    EXPECT_EQ(pump.pendingCount(), 1u) << "an event due after the wait must stay queued";
}

TEST(DelayTest, NestedWaitLongerThanTheOuterOneEndsBoth) {
    FakePump pump;
    const uint64_t start = pump.now();
    uint64_t nestedEnd = 0;
    bool laterEventSeenInside = false;
    pump.at(start + 20, [&] {
        Delay(pump, 200);
        nestedEnd = pump.now();
    });
    pump.at(start + 150, [&] { laterEventSeenInside = nestedEnd == 0; });

    Delay(pump, 100);

    EXPECT_EQ(nestedEnd, start + 220);
    EXPECT_TRUE(laterEventSeenInside) << "the nested wait dispatches what falls due during it";
    // The outer wait is long over when the nested one returns, so it returns at once.
    EXPECT_EQ(pump.now(), start + 220);
}

TEST(DelayTest, NestedWaitShorterThanTheOuterOneLetsTheOuterWaitFinish) {
    FakePump pump;
    const uint64_t start = pump.now();
    uint64_t nestedEnd = 0;
    pump.at(start + 20, [&] {
        Delay(pump, 30);
        nestedEnd = pump.now();
    });

    Delay(pump, 100);

    EXPECT_EQ(nestedEnd, start + 50);
    EXPECT_EQ(pump.now(), start + 100);
}

class DelayNothingTest : public ::testing::TestWithParam<int> {};

TEST_P(DelayNothingTest, ReturnsAtOnceWithoutDispatchingADueEvent) {
    FakePump pump;
    bool ran = false;
    pump.post([&] { ran = true; });
    const uint64_t before = pump.now();
    const size_t dispatched = pump.dispatchedCount();

    Delay(pump, GetParam());

    EXPECT_FALSE(ran);
    EXPECT_EQ(pump.dispatchedCount(), dispatched);
    EXPECT_EQ(pump.pendingCount(), 1u);
    EXPECT_EQ(pump.now(), before);
}

INSTANTIATE_TEST_SUITE_P(ZeroAndNegative, DelayNothingTest, ::testing::Values(0, -5, INT_MIN));

TEST(DelayTest, WaitsTheFullTimeAcrossTheTickCounterWrap) {
    FakePump pump(0xFFFFFF00u);
    const uint64_t start = pump.now();
    uint32_t tickAtEvent = 0;
    pump.at(start + 0x100 + 10, [&] { tickAtEvent = pump.tickMs(); });

    Delay(pump, 1000);

    EXPECT_EQ(pump.now() - start, 1000u);
    EXPECT_EQ(pump.tickMs(), static_cast<uint32_t>(0xFFFFFF00u + 1000u));
    EXPECT_EQ(tickAtEvent, 10u) << "an event after the wrap is still dispatched inside the wait";
}

}  // namespace
}  // namespace tapmill
