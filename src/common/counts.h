#pragma once
#include <cstdint>
#include <string>

namespace tapmill {

// The play count of endless play; a positive count gives that many passes, any other none.
inline constexpr int32_t kEndlessPlayCount = -359;

// A stored count of frames or events shown as the index of its last item: "-1" for none.
inline std::string lastIndexText(int32_t count) { return std::to_string(static_cast<int64_t>(count) - 1); }

}  // namespace tapmill
