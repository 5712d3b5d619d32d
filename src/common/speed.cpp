#include "common/speed.h"

#include <algorithm>

namespace tapmill {

namespace {

// 35 − 3 × speed style values, worked out for a speed held within kSlowestSpeed, so the product
// cannot overflow, and never below zero.
int32_t linearInSpeed(int32_t base, int32_t speed) {
    const int32_t bounded = std::max(speed, kSlowestSpeed);
    const int64_t value = static_cast<int64_t>(base) - 3 * static_cast<int64_t>(bounded);
    return static_cast<int32_t>(std::max<int64_t>(value, 0));
}

}  // namespace

int32_t plainFrameWaitMs(int32_t speed) { return linearInSpeed(35, speed); }

int32_t journalGapSixteenths(int32_t speed) { return linearInSpeed(31, speed); }

}  // namespace tapmill
